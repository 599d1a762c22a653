// The quotation window as it opens, its layout, and how it closes.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>

#include "QuotationFixture.h"
#include "store/StoreError.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"
#include "ui/data/DBNavigator.h"
#include "ui/data/RecordSetModel.h"

namespace {

using QuotationOpen = QuotationFixture;

QStringList VisibleTitles(ui::DBGrid* grid) {
  QStringList titles;
  for (int column = 0; column < grid->model()->columnCount(); ++column)
    if (!grid->isColumnHidden(column))
      titles << grid->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
  return titles;
}

QStringList Items(QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

TEST_F(QuotationOpen, ShowsFirstCustomerWithLockedEmptyHeaderAndClosedSets) {
  TQuotation* window = OpenWindow();
  EXPECT_EQ(window->objectName(), "Quotation");
  EXPECT_EQ(window->windowTitle(), "報價基本資料維護");
  ASSERT_EQ(window->PageControl1->count(), 2);
  EXPECT_EQ(window->PageControl1->tabText(0), "報價單查詢");
  EXPECT_EQ(window->PageControl1->tabText(1), "報價單輸入");
  EXPECT_EQ(window->PageControl1->currentWidget(), window->QuotationInput);

  EXPECT_EQ(window->DBEdit2->text(), "Alpha");
  EXPECT_TRUE(window->DBEdit2->isEnabled());
  for (QWidget* box : {static_cast<QWidget*>(window->DBEdit1), static_cast<QWidget*>(window->DBEdit3),
                       static_cast<QWidget*>(window->DBEdit7), static_cast<QWidget*>(window->DBComboBox1),
                       static_cast<QWidget*>(window->DBComboBox5)})
    EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
  EXPECT_TRUE(window->DBEdit1->text().isEmpty());
  EXPECT_TRUE(window->DBComboBox1->Text().isEmpty());
  EXPECT_TRUE(window->BtnCustNoFind->isEnabled());
  EXPECT_FALSE(window->BtnUndo->isEnabled());
  EXPECT_FALSE(window->BtnSave->isEnabled());
  for (QAction* button : {window->BtnNew, window->BtnPrint, window->BtnExcel, window->BtnExit})
    EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
  // Nothing to move through, edit or delete until the header set opens.
  for (QAction* button :
       {window->BtnEdit, window->BtnDel, window->BtnTop, window->BtnBack, window->BtnNext, window->BtnEnd})
    EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
  EXPECT_EQ(window->AddFlag, 0);

  EXPECT_TRUE(window->ADOConnection1.Connected());
  EXPECT_TRUE(window->ADOQuery1.Active());
  EXPECT_FALSE(window->ADODataSetMaster.Active());
  EXPECT_EQ(window->ADODataSetMaster.CommandText(), "select  * from Quomaster");
  EXPECT_FALSE(window->ADODataSetDilate.Active());
  EXPECT_EQ(window->ADODataSetDilate.Master(), nullptr);
  for (ui::DBGrid* grid : {window->DBGrid1, window->DBGrid2, window->DBGrid3})
    EXPECT_EQ(grid->model()->rowCount(), 0) << grid->objectName().toStdString();
}

TEST_F(QuotationOpen, GridsListTheirColumnsAndTheLineGridsSwapWidthAndHeight) {
  TQuotation* window = OpenWindow();
  EXPECT_EQ(VisibleTitles(window->DBGrid1),
            QStringList({"客戶編號", "報價單號", "付款方式", "付款條件", "交貨方式", "幣別", "稅別", "稅率",
                         "報價日期", "有效日期", "業務員"}));
  EXPECT_EQ(window->DBGrid1->Model()->Columns().size(), 15u);
  const QStringList head = {"客戶編號", "報價單號", "序號", "品名/品號", "規格"};
  const QStringList tail = {"長", "數量", "單價", "總金額"};
  EXPECT_EQ(VisibleTitles(window->DBGrid2), head + QStringList({"寬", "高"}) + tail);
  EXPECT_EQ(VisibleTitles(window->DBGrid3), head + QStringList({"高", "寬"}) + tail);
  EXPECT_EQ(window->DBGrid2->Model()->Columns()[5].field, "width");
  EXPECT_EQ(window->DBGrid3->Model()->Columns()[5].field, "high");
  EXPECT_EQ(window->DBGrid2->Model()->Columns().size(), 14u);
  EXPECT_TRUE(window->DBGrid1->ReadOnly());
  EXPECT_TRUE(window->DBGrid2->ReadOnly());
  EXPECT_FALSE(window->DBGrid3->ReadOnly());
  EXPECT_EQ(window->DBNavigator1->GetDataSource(), &window->DataSourceDitale);
}

TEST_F(QuotationOpen, HeaderPanelHasDesignedCaptionsPickListsAndTabOrder) {
  TQuotation* window = OpenWindow();
  auto caption = [&](const char* name) { return window->findChild<QLabel*>(name)->text(); };
  EXPECT_EQ(caption("Label2"), "客戶編號  ");
  EXPECT_EQ(caption("Label3"), "報價單號   ");
  const QColor red = window->findChild<QLabel*>("Label3")->palette().color(QPalette::WindowText);
  EXPECT_EQ(red.hslHue(), 0) << "a shade of red: " << red.name().toStdString();
  EXPECT_EQ(red.green(), red.blue());
  EXPECT_GT(red.red(), red.green());
  EXPECT_EQ(caption("Label12"), "有效日期");
  EXPECT_EQ(caption("Label13"), "客戶編號");
  EXPECT_EQ(window->BtnFind->text(), "查詢");
  EXPECT_EQ(window->GroupBox4->title(), "報價明細輸入");

  EXPECT_EQ(Items(window->DBComboBox1),
            QStringList({"現金", "支票", "國內T/T", "國內L/C", "國外T/T", "月結30天"}));
  EXPECT_EQ(Items(window->DBComboBox2),
            QStringList({"FOS", "C&F", "C&I", "CIF", "DDP", "DDU", "其他(昆山)"}));
  EXPECT_EQ(Items(window->DBComboBox3), QStringList({"快遞", "貨運", "郵寄", "自己送貨", "船運", "空運"}));
  EXPECT_EQ(Items(window->DBComboBox4), QStringList({"RMB", "NTD", "USD", "HKD", "JPY", "其他"}));
  EXPECT_EQ(Items(window->DBComboBox5).size(), 1);
  EXPECT_EQ(window->DBComboBox5->DataField(), "sales");

  EXPECT_EQ(window->DBEdit1->geometry(), QRect(99, window->DBEdit1->y(), 46, window->DBEdit1->height()));
  EXPECT_EQ(window->DBEdit4->x(), 458);
  EXPECT_EQ(window->DBComboBox3->x(), 299);
  EXPECT_EQ(window->DBEdit2->width(), 177);
  EXPECT_EQ(window->EdtQuotationNumber->width(), 121);
  EXPECT_EQ(window->BtnFind->size(), QSize(75, 25));

  const std::vector<QWidget*> order = {window->DBEdit1,     window->BtnCustNoFind, window->DBEdit3,
                                       window->DBComboBox5, window->DBComboBox1,   window->DBComboBox2,
                                       window->DBComboBox3, window->DBComboBox4,   window->DBEdit4,
                                       window->DBEdit5,     window->DBEdit6,       window->DBEdit7,
                                       window->DBEdit2};
  for (size_t i = 1; i < order.size(); ++i) {
    QWidget* next = order[i - 1]->nextInFocusChain();
    while (next->focusProxy() == order[i - 1] || next->parentWidget() == order[i - 1])
      next = next->nextInFocusChain();
    EXPECT_EQ(next, order[i]) << "after " << order[i - 1]->objectName().toStdString();
  }
  EXPECT_EQ(window->EdtQuotationNumber->nextInFocusChain(), window->BtnFind);
  EXPECT_EQ(window->BtnFind->nextInFocusChain(), window->EdtCustNo);

  EXPECT_EQ(window->DBEdit3->ImeName(), "中文 (简体) - 微软拼音");
  EXPECT_EQ(window->DBComboBox4->ImeName(), "中文 (简体) - 微软拼音");
  EXPECT_EQ(window->DBGrid3->ImeName(), "中文 (简体) - 微软拼音");
  EXPECT_EQ(window->EdtQuotationNumber->property("imeName").toString(), "中文 (简体) - 微软拼音");
  EXPECT_FALSE(window->EdtCustNo->property("imeName").isValid());
}

TEST_F(QuotationOpen, PanesOpenAtTheirDesignedHeights) {
  TQuotation* window = OpenWindow();
  window->resize(550, 450);
  window->PageControl1->setCurrentWidget(window->QuotationFind);
  QApplication::processEvents();
  EXPECT_EQ(window->Panel1->height(), 73);
  EXPECT_EQ(window->GroupBox1->height(), 136);
  EXPECT_EQ(window->Splitter1->handleWidth(), 16);
  EXPECT_EQ(window->Splitter2->handleWidth(), 15);
  window->PageControl1->setCurrentWidget(window->QuotationInput);
  QApplication::processEvents();
  EXPECT_EQ(window->Panel2->height(), 180);
  EXPECT_EQ(window->DBNavigator1->height(), 25);
}

TEST_F(QuotationOpen, WithoutTheDatabaseFileCreationFailsWithTheStoreError) {
  QFile::remove("data.mdb");
  EXPECT_THROW(TQuotation window, store::StoreError);
}

TEST_F(QuotationOpen, ExitClosesTheWindowWhosButtonWasPressedEvenInsideTheFrame) {
  QMdiArea area;
  TQuotation* first = OpenWindow();
  QPointer<QMdiSubWindow> frame = area.addSubWindow(first);
  QPointer<TQuotation> firstAlive = first;
  TQuotation* second = OpenWindow();
  Quotation = second;  // the newest, as the frame records it
  first->BtnExit->trigger();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(firstAlive.isNull());
  EXPECT_TRUE(frame.isNull());
  EXPECT_TRUE(second->isVisible());
}

TEST_F(QuotationOpen, ClosingWithATypedHeaderAsksAndOnlyAStoredHeaderLetsItGo) {
  TQuotation* window = OpenWindow();
  QPointer<TQuotation> alive = window;
  window->BtnNew->trigger();
  Type(window->DBEdit3, "Q77");
  Answer({ui::Answer::Cancel});
  EXPECT_FALSE(window->close());
  EXPECT_EQ(TakeTexts().size(), 1u);
  Answer({ui::Answer::Yes});  // refused: a header needs its customer number
  EXPECT_FALSE(window->close());
  EXPECT_EQ(TakeTexts().size(), 2u);
  EXPECT_EQ(window->ADODataSetMaster.State(), store::DataSetState::Insert);
  Type(window->DBEdit1, "S002");
  Answer({ui::Answer::Yes});
  EXPECT_TRUE(window->close());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());
  bool stored = false;
  for (const Row& row : Stored("Quomaster"))
    stored |= row.at("quotation_number") == "Q77" && row.at("Cust_no") == "S002";
  EXPECT_TRUE(stored);
}

TEST_F(QuotationOpen, CancelInsideTheFrameKeepsTheChildWindowOpen) {
  QMdiArea area;
  TQuotation* window = OpenWindow();
  QPointer<QMdiSubWindow> frame = area.addSubWindow(window);
  area.show();
  window->BtnNew->trigger();
  Type(window->DBEdit1, "S001");
  Answer({ui::Answer::Cancel});
  frame->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(frame.isNull());
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(window->ADODataSetMaster.State(), store::DataSetState::Insert);
  Answer({ui::Answer::No});
  window->BtnExit->trigger();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(frame.isNull());
  EXPECT_EQ(Stored("Quomaster").size(), 4u);
}

TEST_F(QuotationOpen, ClosingDropsAnUntouchedNewHeaderWithoutAsking) {
  TQuotation* window = OpenWindow();
  window->BtnNew->trigger();
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(TakeTexts().empty());
  EXPECT_EQ(Stored("Quomaster").size(), 4u);
}

}  // namespace
