#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <set>

#include "QuotationFixture.h"
#include "documents/QuotationReader.h"
#include "ui/app/FileDialogs.h"
#include "ui/app/RecordToolBar.h"
#include "ui/data/DBEdit.h"
#include "windows/CustomUnt.h"
#include "windows/QuotationOutput.h"
#include "windows/QuotationPreview.h"

namespace {

// The file dialogs answered as a user would: the save dialog with `savePath`,
// the printer's dialog with `acceptPrinter`.
class QuotationOutputTest : public QuotationFixture {
 protected:
  void SetUp() override {
    QuotationFixture::SetUp();
    ui::FileDialogs::ClearRecorded();
    ui::FileDialogs::SetResponders([this](const ui::FileRequest&) { return savePath; },
                                   [this](QDialog&) { return acceptPrinter; });
  }

  void TearDown() override {
    ui::FileDialogs::ClearResponders();
    ui::FileDialogs::ClearRecorded();
    QuotationFixture::TearDown();
  }

  // A window after a search for all headers, showing the one of `custNo`.
  TQuotation* WindowShowing(const std::string& custNo) {
    TQuotation* window = OpenWindow();
    window->BtnFind->click();
    EXPECT_TRUE(window->ADODataSetMaster.Locate("Cust_no", custNo));
    TakeTexts();
    return window;
  }

  static QuotationPreview* PreviewOf(TQuotation* window) { return window->findChild<QuotationPreview*>(); }

  static bool StartsWith(const QString& file, const QByteArray& magic) {
    QFile data(file);
    return data.open(QIODevice::ReadOnly) && data.read(magic.size()) == magic;
  }

  QTemporaryDir folder;
  QString savePath;
  bool acceptPrinter = false;
};

TEST_F(QuotationOutputTest, ExcelAsksWhereWithTheQuotationNumberAndWritesTheWorkbook) {
  TQuotation* window = WindowShowing("S001");
  savePath = folder.filePath("book.xlsx");
  window->BtnExcel->trigger();
  ASSERT_EQ(ui::FileDialogs::Recorded().size(), 1u);
  EXPECT_EQ(QFileInfo(ui::FileDialogs::Recorded()[0].defaultPath).fileName(), "Q1.xlsx");
  EXPECT_TRUE(StartsWith(savePath, "PK")) << "a workbook is a zip archive";
  EXPECT_TRUE(TakeTexts().empty());

  savePath = folder.filePath("typed");
  window->BtnExcel->trigger();
  EXPECT_TRUE(StartsWith(folder.filePath("typed.xlsx"), "PK")) << "the suffix of the chosen type is added";
  EXPECT_FALSE(QFileInfo::exists(savePath));

  savePath.clear();  // the user cancels the dialog
  window->BtnExcel->trigger();
  EXPECT_EQ(ui::FileDialogs::Recorded().size(), 3u);
  EXPECT_TRUE(TakeTexts().empty());
}

TEST_F(QuotationOutputTest, PrintPreviewsTheQuotationAndSavesItAsPdf) {
  TQuotation* window = WindowShowing("S002");
  window->BtnPrint->trigger();
  QuotationPreview* preview = PreviewOf(window);
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isWindow());
  QApplication::processEvents();
  preview->PreviewWidget->updatePreview();
  EXPECT_EQ(preview->PageCount(), 1);

  savePath = folder.filePath("Q2.pdf");
  preview->ActSavePdf->trigger();
  ASSERT_EQ(ui::FileDialogs::Recorded().size(), 1u);
  EXPECT_EQ(QFileInfo(ui::FileDialogs::Recorded()[0].defaultPath).fileName(), "Q2.pdf");
  EXPECT_TRUE(StartsWith(savePath, "%PDF"));

  ui::FileDialogs::SetPrinterInstalled(true);
  preview->ActPrint->trigger();  // the printer's dialog is cancelled
  EXPECT_EQ(ui::FileDialogs::DialogsShown(), 1);
  EXPECT_TRUE(TakeTexts().empty());
}

// Without a printer nothing is printed into a file behind the user's back:
// the program says so and offers the PDF.
TEST_F(QuotationOutputTest, PrintWithoutAPrinterSaysSoAndOffersAPdf) {
  TQuotation* window = WindowShowing("S002");
  window->BtnPrint->trigger();
  QuotationPreview* preview = PreviewOf(window);
  ASSERT_NE(preview, nullptr);
  ui::FileDialogs::SetPrinterInstalled(false);
  Answer({ui::Answer::Cancel});
  preview->ActPrint->trigger();
  EXPECT_EQ(TakeTexts(), std::vector<QString>{QuotationPreview::kNoPrinter});
  EXPECT_TRUE(ui::FileDialogs::Recorded().empty());

  savePath = folder.filePath("Q2");  // typed without its suffix
  Answer({ui::Answer::Ok});
  preview->ActPrint->trigger();
  EXPECT_EQ(TakeTexts(), std::vector<QString>{QuotationPreview::kNoPrinter});
  EXPECT_EQ(ui::FileDialogs::DialogsShown(), 0) << "no printer dialog";
  EXPECT_TRUE(StartsWith(folder.filePath("Q2.pdf"), "%PDF"));
  EXPECT_FALSE(QFileInfo::exists(savePath));
  EXPECT_EQ(QDir(QDir::homePath()).entryList({"*預覽列印*"}), QStringList());
}

// The preview is worked by keys alone: every button is reached by Tab and
// has keys, shown in its tooltip; Escape closes it. It fits on the screen.
TEST_F(QuotationOutputTest, PreviewIsWorkedByKeysAndFitsTheScreen) {
  std::vector<Row> lines;
  for (int serial = 3; serial < 203; ++serial) lines.push_back(Line("S002", "Q2", serial, "品名"));
  Seed("QuoDilate", lines);
  TQuotation* window = WindowShowing("S002");
  window->BtnPrint->trigger();
  QPointer<QuotationPreview> preview = PreviewOf(window);
  ASSERT_NE(preview, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(preview));
  EXPECT_TRUE(preview->screen()->availableGeometry().contains(preview->frameGeometry()))
      << preview->frameGeometry().height() << " high on a screen of "
      << preview->screen()->availableGeometry().height();

  std::set<QWidget*> reached;
  for (int press = 0; press < 40; ++press) {
    reached.insert(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  for (QAction* action : preview->PreviewToolBar->actions()) {
    if (action->isSeparator() || !preview->PreviewToolBar->widgetForAction(action)->inherits("QToolButton"))
      continue;
    EXPECT_TRUE(reached.count(preview->PreviewToolBar->widgetForAction(action)))
        << action->objectName().toStdString();
    ASSERT_FALSE(action->shortcut().isEmpty()) << action->objectName().toStdString();
    EXPECT_TRUE(action->toolTip().contains(action->shortcut().toString(QKeySequence::NativeText)));
  }

  QTest::keyClick(preview, Qt::Key_End);
  const QString pages = QString::number(preview->PageCount());
  EXPECT_EQ(preview->PageLabel->text().trimmed(), pages + " / " + pages);
  QTest::keyClick(preview, Qt::Key_PageUp);
  EXPECT_EQ(preview->PreviewWidget->currentPage(), preview->PageCount() - 1);
  QTest::keyClick(preview, Qt::Key_Home);
  EXPECT_EQ(preview->PreviewWidget->currentPage(), 1);
  savePath = folder.filePath("keys.pdf");
  QTest::keyClick(preview, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(QFileInfo::exists(savePath));
  QTest::keyClick(preview, Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(preview.isNull()) << "Escape did not close the preview";
}

// One layout: the preview shows the pages that the PDF saved from it has,
// for a quotation of a thousand lines of varied heights.
TEST_F(QuotationOutputTest, PreviewShowsThePagesOfThePdf) {
  if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
    GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
  std::vector<Row> lines;
  for (int serial = 3; serial < 1003; ++serial) {
    Row line = Line("S002", "Q2", serial, "品名" + std::to_string(serial));
    line.insert(
        {{"standard", "不鏽鋼"}, {"width", "12.5"}, {"amount", "100"}, {"price", "2.5"}, {"totle", "250"}});
    lines.push_back(line);
  }
  Seed("QuoDilate", lines);
  TQuotation* window = WindowShowing("S002");
  window->BtnPrint->trigger();
  QuotationPreview* preview = PreviewOf(window);
  ASSERT_NE(preview, nullptr);
  preview->PreviewWidget->updatePreview();
  savePath = folder.filePath("Q2.pdf");
  preview->ActSavePdf->trigger();

  QProcess info;
  info.start("pdfinfo", {savePath});
  ASSERT_TRUE(info.waitForFinished(30000));
  const QString pages =
      QString::fromUtf8(info.readAllStandardOutput()).section("Pages:", 1).section('\n', 0, 0);
  EXPECT_GT(preview->PageCount(), 20);
  EXPECT_EQ(pages.trimmed().toInt(), preview->PageCount());
}

TEST_F(QuotationOutputTest, NothingToShowIsANoticeAndNoDialog) {
  TQuotation* window = OpenWindow();
  window->BtnPrint->trigger();
  EXPECT_EQ(TakeTexts(), std::vector<QString>{documents::QuotationReader::kNoHeader});
  window->BtnFind->click();
  ASSERT_TRUE(window->ADODataSetMaster.Locate("Cust_no", "S'01"));  // no such customer
  window->BtnExcel->trigger();
  EXPECT_EQ(TakeTexts(),
            std::vector<QString>{QString::fromUtf8(documents::QuotationReader::kUnknownCustomer) + "S'01" +
                                 documents::QuotationReader::kUnknownCustomerEnd});
  EXPECT_TRUE(ui::FileDialogs::Recorded().empty());
  EXPECT_EQ(PreviewOf(window), nullptr);
}

// A header changed on screen is not what is stored: the window asks first.
TEST_F(QuotationOutputTest, PendingHeaderIsSettledByTheQuestionFirst) {
  TQuotation* window = WindowShowing("S001");
  QTest::mouseClick(window->ToolBar1->widgetForAction(window->BtnEdit), Qt::LeftButton);
  Type(window->DBEdit4, "零稅");
  savePath = folder.filePath("Q1.xlsx");
  Answer({ui::Answer::Cancel});
  window->BtnExcel->trigger();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].kind, ui::Prompt::Kind::Question);
  EXPECT_TRUE(ui::FileDialogs::Recorded().empty()) << "cancelled: nothing made";
  EXPECT_FALSE(QFileInfo::exists(savePath));

  TakeTexts();
  Answer({ui::Answer::Yes});
  window->BtnPrint->trigger();
  ASSERT_NE(PreviewOf(window), nullptr);
  EXPECT_EQ(Stored("Quomaster")[1].at("tax_type"), "零稅") << "saved before it was printed";
}

TEST_F(QuotationOutputTest, CustomerWindowsPrintAndExcelStillDoNothing) {
  auto* customers = Keep(new TCustFrm);
  customers->show();
  TakeTexts();
  customers->ToolBar1->Action(ui::RecordToolBar::Print)->trigger();
  customers->ToolBar1->Action(ui::RecordToolBar::Excel)->trigger();
  EXPECT_TRUE(Shown().empty());
  EXPECT_TRUE(ui::FileDialogs::Recorded().empty());
  EXPECT_EQ(customers->findChild<QuotationPreview*>(), nullptr);
}

TEST_F(QuotationOutputTest, DefaultNameIsSafeAsAFileName) {
  EXPECT_EQ(QFileInfo(QuotationOutput::DefaultPath("Q/2026:01", "pdf")).fileName(), "Q_2026_01.pdf");
  EXPECT_EQ(QFileInfo(QuotationOutput::DefaultPath("", "xlsx")).fileName(), "報價單.xlsx");
  EXPECT_EQ(QFileInfo(QuotationOutput::DefaultPath("..", "pdf")).fileName(), "報價單...pdf");
}

}  // namespace
