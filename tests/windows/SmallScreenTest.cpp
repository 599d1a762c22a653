// Every window fits a small screen: 1024 x 600 at a scale of 1.25 offers
// 820 x 480 logical pixels, less than the frame, its windows and the lookup
// window were designed for.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "store/Schema.h"
#include "support/PromptScript.h"
#include "ui/app/ChineseFileDialog.h"
#include "ui/app/Prompts.h"
#include "ui/menu/TMenuItem.h"
#include "windows/CustomFindUnt.h"
#include "windows/MainUnt.h"
#include "windows/QuotationUnt.h"

namespace {

constexpr QSize kScreen(820, 480);

class SmallScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(QGuiApplication::primaryScreen()->size(), kScreen);
    previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    store::CreateDemoDatabase("data.mdb");
  }
  void TearDown() override { QDir::setCurrent(previous); }

  static void ExpectOnScreen(const QWidget* window) {
    const QRect available = window->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(window->frameGeometry()))
        << window->objectName().toStdString() << " at " << window->frameGeometry().x() << ","
        << window->frameGeometry().y() << " " << window->frameGeometry().width() << "x"
        << window->frameGeometry().height();
  }

  QTemporaryDir folder;
  QString previous;
  PromptScript prompts;
};

TEST_F(SmallScreenTest, TheFrameItsWindowsAndTheLookupFitTheScreen) {
  TMainFrm frame;
  MainFrm = &frame;
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  ExpectOnScreen(&frame);
  frame.Ncustomer->Action()->trigger();
  frame.Nquotation->Action()->trigger();
  ASSERT_EQ(frame.MdiArea->subWindowList().size(), 2);
  const QRect area(QPoint(0, 0), frame.MdiArea->viewport()->size());
  for (const QMdiSubWindow* window : frame.MdiArea->subWindowList())
    EXPECT_TRUE(area.contains(window->frameGeometry()))
        << window->widget()->objectName().toStdString() << " " << window->frameGeometry().height()
        << " high in " << area.height();
  ASSERT_FALSE(Quotation.isNull());
  Quotation->BtnCustNoFindClick();
  ASSERT_FALSE(CustmoterFindFrm.isNull());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(CustmoterFindFrm.data()));
  ExpectOnScreen(CustmoterFindFrm.data());
  EXPECT_TRUE(prompts.Shown().empty());
}

TEST_F(SmallScreenTest, TheFileDialogAndThePromptBoxesFitTheScreen) {
  TMainFrm frame;
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  ui::ChineseFileDialog dialog(&frame, "存成 PDF", folder.path(), "PDF 檔案 (*.pdf)",
                               QFileDialog::AcceptSave);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  ExpectOnScreen(&dialog);
  dialog.close();
  const std::unique_ptr<QMessageBox> box = ui::Prompts::MakeBox(
      &frame, {ui::Prompt::Kind::Error, "samplequote", QString("很長的錯誤訊息").repeated(60)});
  box->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
  ExpectOnScreen(box.get());
}

}  // namespace

// The screen is chosen before the application starts.
int main(int argc, char** argv) {
  const QString config = QDir::temp().filePath(QStringLiteral("sq-small-screen-%1.json").arg(getpid()));
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return 2;
  file.write(QStringLiteral(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": %1, "height": %2,
                                "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                 .arg(kScreen.width())
                 .arg(kScreen.height())
                 .toUtf8());
  file.close();
  const QByteArray platform = "offscreen:configfile=" + QFile::encodeName(config);
  setenv("QT_QPA_PLATFORM", platform.constData(), 1);
  int result = 0;
  {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  QFile::remove(config);
  return result;
}
