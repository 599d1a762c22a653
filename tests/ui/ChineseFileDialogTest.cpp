// The file dialog speaks Chinese whatever the system's language (run it under
// LANG=C too): no English word among its labels, buttons, tips and columns,
// and dates written as Taiwan writes them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "ui/app/ChineseFileDialog.h"
#include "ui/app/QtTranslations.h"

namespace {

class ChineseFileDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ui::InstallQtTranslations(); }

  void SetUp() override {
    ASSERT_TRUE(QDir(folder.path()).mkdir("報價單"));
    QFile pdf(folder.filePath("Q1.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n");
    pdf.close();
  }

  // The dialog's list once it shows both entries of the folder.
  QAbstractItemModel* LoadedList(ui::ChineseFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>("treeView");
    if (!view) return nullptr;
    const QModelIndex root = view->rootIndex();
    const bool loaded = QTest::qWaitFor([&] { return view->model()->rowCount(root) == 2; }, 5000);
    return loaded ? view->model() : nullptr;
  }

  static QModelIndex Row(QAbstractItemModel* list, const QModelIndex& root, const QString& name, int column) {
    for (int row = 0; row < list->rowCount(root); ++row)
      if (list->index(row, 0, root).data().toString() == name) return list->index(row, column, root);
    return {};
  }

  QTemporaryDir folder;
};

TEST_F(ChineseFileDialogTest, EveryTextIsChinese) {
  ui::ChineseFileDialog dialog(nullptr, "存成 PDF", folder.filePath("報價單 Q1.pdf"), "PDF 檔案 (*.pdf)",
                               QFileDialog::AcceptSave);
  dialog.setViewMode(QFileDialog::Detail);
  dialog.show();
  QAbstractItemModel* list = LoadedList(dialog);
  ASSERT_NE(list, nullptr) << "the folder's entries never showed";
  auto* view = dialog.findChild<QTreeView*>("treeView");
  const QModelIndex root = view->rootIndex();

  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>())
    if (label->isVisible()) texts << label->text();
  for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
    if (button->isVisible()) texts << button->text() << button->toolTip();
  for (int column = 0; column < list->columnCount(root); ++column)
    if (!view->isColumnHidden(column)) texts << list->headerData(column, Qt::Horizontal).toString();
  for (const QString& name : {QStringLiteral("報價單"), QStringLiteral("Q1.pdf")})
    for (int column = 1; column < list->columnCount(root); ++column)
      texts << Row(list, root, name, column).data().toString();
  const QRegularExpression english("[A-Za-z]{3,}");
  for (const QString& text : texts) {
    QString withoutType = text;
    withoutType.remove("PDF");
    EXPECT_FALSE(english.match(withoutType).hasMatch()) << text.toStdString();
  }

  EXPECT_EQ(Row(list, root, "報價單", 2).data().toString(), "資料夾");
  EXPECT_EQ(Row(list, root, "Q1.pdf", 2).data().toString(), "PDF 檔案");
  const QDateTime modified = QFileInfo(folder.filePath("Q1.pdf")).lastModified();
  EXPECT_EQ(Row(list, root, "Q1.pdf", 3).data().toString(), modified.toString("yyyy/MM/dd HH:mm"));
}

}  // namespace
