// The quotation workspace through its widgets, on a file and on a server
// (named for the server that CTest starts for it).
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "store/Backend.h"
#include "store/Connection.h"
#include "support/StoreDatabase.h"
#include "support/TestServer.h"
#include "support/WindowFixture.h"
#include "ui/app/FileDialogs.h"
#include "windows/QuotationPreview.h"
#include "windows/WorkspaceHeaderPanel.h"
#include "windows/WorkspaceLineGrid.h"
#include "windows/WorkspaceRegisterModel.h"
#include "windows/WorkspaceUnt.h"

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using L = WorkspaceLineGrid;
using R = WorkspaceRegisterModel;

constexpr const char* kConflict =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

class WorkspaceTest : public WindowFixture, public ::testing::WithParamInterface<StoreKind> {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    if (GetParam() == StoreKind::Server) {
      std::string why;
      std::optional<std::string> uri = TestServer::Uri(&why);
      if (!uri) GTEST_SKIP() << "PostgreSQL test skipped: " << why;
      server = std::make_unique<ServerDatabase>(*uri);
      store::Connection::SetTarget(server->Uri());
    }
    SeedTable("customer", {{{"cust_no", "S001"},
                            {"cust_name", "宏達電子"},
                            {"all_name", "宏達電子股份有限公司"},
                            {"sales", "陳美華"}},
                           {{"cust_no", "S002"},
                            {"cust_name", "建興"},
                            {"all_name", "建興塑膠有限公司"},
                            {"sales", "林志強"}}});
    SeedTable("Quomaster",
              {Header("S001", "Q2024001", "2024-01-05"), Header("S002", "Q2024002", "2024-02-10"),
               Header("S002", "Q2024003", "2024-03-15")});
    SeedTable(
        "QuoDilate",
        {Line("S001", "Q2024001", "彩盒", "3", "2.5"), Line("S001", "Q2024001", "瓦楞紙箱", "1", "10"),
         Line("S002", "Q2024002", "吸塑盒", "100", "1.2"), Line("S002", "Q2024003", "說明書", "1", "1")});
  }
  void TearDown() override {
    ui::FileDialogs::ClearResponders();
    WindowFixture::TearDown();
    store::Connection::SetTarget("");
  }

  static Row Header(const std::string& cust, const std::string& number, const std::string& date) {
    return {{"Cust_no", cust},    {"quotation_number", number}, {"quotation_date", date},
            {"tax_type", "應稅"}, {"tax_rate", "0.05"},         {"money_type", "NTD"}};
  }
  static Row Line(const std::string& cust, const std::string& number, const std::string& product,
                  const std::string& amount, const std::string& price) {
    const double total = std::stod(amount) * std::stod(price);
    return {{"Cust_no", cust}, {"quotation_number", number},    {"name_number", product}, {"amount", amount},
            {"price", price},  {"totle", std::to_string(total)}};
  }

  TQuotationWorkspace* Open() {
    auto* window = Keep(new TQuotationWorkspace);
    window->resize(1100, 600);
    window->show();
    QApplication::setActiveWindow(window);
    return window;
  }

  static QString Cell(TQuotationWorkspace* w, int row, int column) {
    return w->RegisterSort->index(row, column).data().toString();
  }
  static QStringList Numbers(TQuotationWorkspace* w) {
    QStringList numbers;
    for (int r = 0; r < w->RegisterSort->rowCount(); ++r) numbers << Cell(w, r, R::Number);
    return numbers;
  }
  static void Choose(TQuotationWorkspace* w, const QString& number) {
    for (int r = 0; r < w->RegisterSort->rowCount(); ++r)
      if (Cell(w, r, R::Number) == number) {
        const QRect cell = w->RegisterGrid->visualRect(w->RegisterSort->index(r, 0));
        QTest::mouseClick(w->RegisterGrid->viewport(), Qt::LeftButton, {}, cell.center());
        return;
      }
    ADD_FAILURE() << "not in the register: " << number.toStdString();
  }
  static void Retype(QWidget* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    Type(box, text);
  }
  // F2 opens the cell's editor, Return closes it, as a user types a line.
  static QLineEdit* OpenCell(L* grid, int row, int column) {
    QApplication::setActiveWindow(grid->window());
    grid->setFocus();
    grid->setCurrentCell(row, column);
    QTest::keyClick(grid, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const bool opened = editor && editor->objectName() == "LineCellEditor";
    EXPECT_TRUE(opened) << "no cell editor";
    return opened ? editor : nullptr;
  }
  static void TypeCell(L* grid, int row, int column, const QString& text) {
    QLineEdit* editor = OpenCell(grid, row, column);
    if (!editor) return;
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    Type(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the grid takes the editor's text from its queue
  }
  std::string Scalar(const std::string& sql) {
    store::Connection connection;
    connection.SetConnectionString(store::kReadWriteConnectionString);
    connection.Open();
    const auto rows = connection.Store().Rows(sql, {});
    return rows.empty() || !rows[0][0] ? "" : *rows[0][0];
  }

  std::unique_ptr<ServerDatabase> server;
};

TEST_P(WorkspaceTest, TheRegisterListsTotalsSortsByAnyColumnAndFiltersAsYouType) {
  TQuotationWorkspace* w = Open();
  EXPECT_EQ(w->RegisterCount->text(), "共 3 筆報價單");
  EXPECT_EQ(Numbers(w), (QStringList{"Q2024003", "Q2024002", "Q2024001"}));
  EXPECT_EQ(Cell(w, 2, R::CustName), "宏達電子");
  EXPECT_EQ(Cell(w, 2, R::Lines), "2");
  EXPECT_EQ(Cell(w, 2, R::Subtotal), "17.50");
  EXPECT_EQ(Cell(w, 2, R::Tax), "0.88");  // 0.875 to even
  EXPECT_EQ(Cell(w, 2, R::Total), "18.38");
  // A click on the title sorts by the grand total, numbers as numbers.
  QHeaderView* titles = w->RegisterGrid->horizontalHeader();
  QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                    QPoint(titles->sectionViewportPosition(R::Total) + 5, 5));
  EXPECT_EQ(Numbers(w), (QStringList{"Q2024003", "Q2024001", "Q2024002"}));
  struct Case {
    QString typed;
    QStringList found;
  };
  for (const Case& c : {Case{"盒", {"Q2024001", "Q2024002"}}, Case{"塑膠", {"Q2024002", "Q2024003"}},
                        Case{"S001", {"Q2024001"}}, Case{"003", {"Q2024003"}}, Case{"瓦楞紙箱", {"Q2024001"}},
                        Case{"沒有", {}}}) {
    Retype(w->SearchBox, c.typed);
    QStringList found = Numbers(w);
    found.sort();
    EXPECT_EQ(found, c.found) << c.typed.toStdString();
    EXPECT_EQ(w->RegisterCount->text(), QStringLiteral("共 %1 筆報價單").arg(c.found.size()));
  }
  Retype(w->SearchBox, "");
  Type(w->DateFrom, "2024-02-01");
  Type(w->DateTo, "2024-02-28");
  EXPECT_EQ(Numbers(w), QStringList{"Q2024002"});
}

TEST_P(WorkspaceTest, NewFillsWhatItCanLinesComputeAndOneSaveWritesEverythingWithoutABox) {
  TQuotationWorkspace* w = Open();
  QTest::keyClick(w->RegisterGrid, Qt::Key_N, Qt::ControlModifier);
  WorkspaceHeaderPanel* h = w->HeaderPanel;
  EXPECT_EQ(h->NumberBox->text(), QStringLiteral("Q%1%2").arg(QDate::currentDate().year()).arg("0001"));
  EXPECT_EQ(h->DateBox->text(), QDate::currentDate().toString(Qt::ISODate));
  EXPECT_EQ(h->ValidUntilBox->text(), QDate::currentDate().addDays(30).toString(Qt::ISODate));
  // Part of a full name, then the completing list.
  Type(h->CustomerBox, "塑膠");
  QAbstractItemView* list = h->CustomerBox->completer()->popup();
  ASSERT_TRUE(list->isVisible());
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(h->CustomerBox->text(), "S002");
  EXPECT_EQ(h->SalesBox->currentText(), "林志強");
  h->TaxTypeBox->setEditText("應稅");
  Type(h->TaxRateBox, "0.05");
  L* grid = w->LineGrid;
  TypeCell(grid, 0, L::Product, "彩盒");
  TypeCell(grid, 0, L::Amount, "9.1");
  TypeCell(grid, 0, L::Price, "500.5");
  EXPECT_EQ(grid->Cell(0, L::Total), "4554.55");
  TypeCell(grid, 1, L::Product, "貼紙");
  TypeCell(grid, 1, L::Amount, "0.5");
  TypeCell(grid, 1, L::Price, "0.25");
  EXPECT_EQ(grid->Cell(1, L::Total), "0.12");  // 0.125 to even
  TypeCell(grid, 1, L::Price, "0.35");
  EXPECT_EQ(grid->Cell(1, L::Total), "0.18");  // 0.175 to even
  // A total typed by hand stays, marked, until it is cleared.
  TypeCell(grid, 1, L::Total, "1");
  TypeCell(grid, 1, L::Amount, "2");
  EXPECT_EQ(grid->Cell(1, L::Total), "1");
  EXPECT_TRUE(grid->HandTotal(1));
  EXPECT_EQ(grid->item(1, L::Total)->toolTip(), QString::fromUtf8(L::kHandTip));
  TypeCell(grid, 1, L::Total, "");
  EXPECT_FALSE(grid->HandTotal(1));
  EXPECT_EQ(grid->Cell(1, L::Total), "0.70");
  EXPECT_EQ(w->SubtotalLabel->text(), "小計 4555.25");
  EXPECT_EQ(w->TaxLabel->text(), "稅額 227.76");
  EXPECT_EQ(w->TotalLabel->text(), "總計 4783.01");
  QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(Shown().empty());
  const std::string number = h->NumberBox->text().toStdString();
  EXPECT_EQ(w->StatusLabel->text(),
            QStringLiteral("已新增報價單 %1：2 筆明細，總計 4783.01。").arg(h->NumberBox->text()));
  EXPECT_EQ(Scalar("select count(*) from QuoDilate where quotation_number = '" + number + "'"), "2");
  EXPECT_EQ(Scalar("select sales from Quomaster where quotation_number = '" + number + "'"), "林志強");
  EXPECT_EQ(w->RegisterCount->text(), "共 4 筆報價單");
  EXPECT_FALSE(w->Unsaved());
}

TEST_P(WorkspaceTest, LeavingUnsavedChangesAsksYesNoCancel) {
  TQuotationWorkspace* w = Open();
  Choose(w, "Q2024001");
  ASSERT_EQ(w->HeaderPanel->NumberBox->text(), "Q2024001");
  Type(w->HeaderPanel->TaxRateBox, "1");
  Answer({ui::Answer::Cancel});
  Choose(w, "Q2024002");
  ASSERT_EQ(TakeTexts(), std::vector<QString>{"報價單「Q2024001」有尚未儲存的修改，要先儲存嗎？"});
  EXPECT_EQ(w->HeaderPanel->TaxRateBox->text(), "0.051");
  Answer({ui::Answer::No});
  Choose(w, "Q2024002");
  EXPECT_EQ(w->HeaderPanel->NumberBox->text(), "Q2024002");
  EXPECT_EQ(Scalar("select tax_rate from Quomaster where quotation_number = 'Q2024001'"), "0.05");
  Type(w->HeaderPanel->TaxRateBox, "1");
  Answer({ui::Answer::Yes});
  Choose(w, "Q2024003");
  EXPECT_EQ(w->HeaderPanel->NumberBox->text(), "Q2024003");
  EXPECT_DOUBLE_EQ(std::stod(Scalar("select tax_rate from Quomaster where quotation_number = 'Q2024002'")),
                   0.051);
  TakeTexts();
  // Nothing changed: nothing is asked.
  Choose(w, "Q2024001");
  EXPECT_TRUE(TakeTexts().empty());
}

TEST_P(WorkspaceTest, DeletesNameWhatGoes) {
  TQuotationWorkspace* w = Open();
  Choose(w, "Q2024001");
  w->LineGrid->setFocus();
  w->LineGrid->setCurrentCell(1, L::Product);
  Answer({ui::Answer::Ok});
  QTest::keyClick(w->LineGrid, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(TakeTexts(), std::vector<QString>{"確定要刪除第 2 行明細「瓦楞紙箱」嗎？"});
  EXPECT_EQ(w->LineGrid->Lines().size(), 1u);
  w->ActSave->trigger();
  EXPECT_EQ(Scalar("select count(*) from QuoDilate where quotation_number = 'Q2024001'"), "1");
  Answer({ui::Answer::Cancel});
  w->ActDelete->trigger();
  EXPECT_EQ(TakeTexts(), std::vector<QString>{"確定要刪除報價單「Q2024001」（客戶 S001）及其 1 筆明細嗎？"});
  EXPECT_EQ(Scalar("select count(*) from Quomaster where quotation_number = 'Q2024001'"), "1");
  Answer({ui::Answer::Ok});
  w->ActDelete->trigger();
  TakeTexts();
  EXPECT_EQ(Scalar("select count(*) from Quomaster where quotation_number = 'Q2024001'"), "0");
  EXPECT_EQ(Scalar("select count(*) from QuoDilate where quotation_number = 'Q2024001'"), "0");
  EXPECT_EQ(w->RegisterCount->text(), "共 2 筆報價單");
}

TEST_P(WorkspaceTest, PriceMemoryFollowsTheProductAsItIsTypedAndF8TakesAPrice) {
  TQuotationWorkspace* w = Open();
  w->ActNew->trigger();
  w->HeaderPanel->ChooseCustomer("S002");
  L* grid = w->LineGrid;
  QLineEdit* editor = OpenCell(grid, 0, L::Product);
  ASSERT_NE(editor, nullptr);
  Type(editor, "吸");
  ASSERT_EQ(w->PriceMemoryList->topLevelItemCount(), 1);
  EXPECT_EQ(w->PriceMemoryList->topLevelItem(0)->text(0), "本客戶");
  EXPECT_EQ(w->PriceMemoryList->topLevelItem(0)->text(2), "Q2024002");
  Retype(editor, "彩");
  ASSERT_EQ(w->PriceMemoryList->topLevelItemCount(), 1);
  EXPECT_EQ(w->PriceMemoryList->topLevelItem(0)->text(0), "S001");
  QTest::keyClick(editor, Qt::Key_F8);
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(grid->Cell(0, L::Product), "彩");
  EXPECT_EQ(grid->Cell(0, L::Price), "2.5");
  TypeCell(grid, 0, L::Amount, "4");
  EXPECT_EQ(grid->Cell(0, L::Total), "10.00");
}

TEST_P(WorkspaceTest, TheSecondOfTwoSavesIsRefusedAndKeepsItsTyping) {
  TQuotationWorkspace* first = Open();
  TQuotationWorkspace* second = Open();
  Choose(first, "Q2024002");
  Choose(second, "Q2024002");
  Retype(first->HeaderPanel->TaxRateBox, "0.1");
  first->ActSave->trigger();
  Retype(second->HeaderPanel->TaxRateBox, "0.2");
  second->ActSave->trigger();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].kind, ui::Prompt::Kind::Error);
  EXPECT_TRUE(Shown()[0].text.startsWith(kConflict)) << Shown()[0].text.toStdString();
  EXPECT_EQ(second->HeaderPanel->TaxRateBox->text(), "0.2");
  EXPECT_TRUE(second->Unsaved());
  EXPECT_DOUBLE_EQ(std::stod(Scalar("select tax_rate from Quomaster where quotation_number = 'Q2024002'")),
                   0.1);
}

TEST_P(WorkspaceTest, PrintPdfAndExcelOfTheSelectedQuotation) {
  QTemporaryDir folder;
  ui::FileDialogs::SetResponders(
      [&](const ui::FileRequest& request) {
        return folder.filePath(QFileInfo(request.defaultPath).fileName());
      },
      [](QDialog&) { return false; });
  TQuotationWorkspace* w = Open();
  Choose(w, "Q2024001");
  w->ActPdf->trigger();
  w->ActExcel->trigger();
  EXPECT_TRUE(Shown().empty());
  EXPECT_GT(QFileInfo(folder.filePath("Q2024001.pdf")).size(), 0);
  EXPECT_GT(QFileInfo(folder.filePath("Q2024001.xlsx")).size(), 0);
  EXPECT_TRUE(w->StatusLabel->text().startsWith("已匯出 Excel"));
  QTest::keyClick(w->RegisterGrid, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(w->findChildren<QuotationPreview*>().size(), 1);
  // Unsaved changes are not printed.
  Type(w->HeaderPanel->TaxRateBox, "9");
  w->ActPdf->trigger();
  EXPECT_EQ(TakeTexts(),
            std::vector<QString>{"這張報價單有尚未儲存的修改：請先儲存（Ctrl+S），再列印或匯出。"});
}

INSTANTIATE_TEST_SUITE_P(Stores, WorkspaceTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
