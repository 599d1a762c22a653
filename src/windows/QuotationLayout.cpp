// The quotation window's controls, placed as designed.
#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/app/Guard.h"
#include "ui/app/LegibleColor.h"
#include "ui/app/RecordToolBar.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"
#include "ui/data/DBGrid.h"
#include "ui/data/DBNavigator.h"
#include "ui/data/WholeText.h"
#include "windows/QuotationColumns.h"
#include "windows/QuotationUnt.h"

namespace {

constexpr int kRowTop = 12;
constexpr int kRowStep = 31;
constexpr int kFieldHeight = 21;

int RowY(int row) { return kRowTop + (row - 1) * kRowStep; }

// What captions stand on: the window and the grid titles are button face.
QColor Face(const QWidget* widget) { return widget->palette().color(QPalette::Button); }

// Grid titles and group captions are drawn in the hot-track colour, in a
// shade that reads on the button face in a light or a dark palette.
QColor HotTrack(const QWidget* widget) {
  return ui::LegibleOn(widget->palette().color(QPalette::Link), Face(widget));
}

void PaintCaptionHot(QGroupBox* box) {
  box->setStyleSheet(
      QStringLiteral("QGroupBox#%1 { color: %2; }").arg(box->objectName(), HotTrack(box).name()));
}

void PaintTitlesHot(ui::DBGrid* grid) {
  QHeaderView* header = grid->horizontalHeader();
  const QColor ink = HotTrack(header);
  QPalette palette = header->palette();
  palette.setColor(QPalette::ButtonText, ink);
  palette.setColor(QPalette::WindowText, ink);
  header->setPalette(palette);
}

QFrame* NewPanel(const char* name) {
  auto* panel = new QFrame;
  panel->setObjectName(name);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  return panel;
}

QGroupBox* NewGroup(const char* name, const QString& caption, ui::DBGrid* grid) {
  auto* box = new QGroupBox(caption);
  box->setObjectName(name);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(grid);
  PaintCaptionHot(box);
  return box;
}

ui::DBGrid* NewGrid(const char* name, ui::DataSource* source, std::vector<ui::GridColumn> columns,
                    bool readOnly) {
  auto* grid = new ui::DBGrid;
  grid->setObjectName(name);
  grid->SetColumns(std::move(columns));
  grid->SetReadOnly(readOnly);
  grid->SetDataSource(source);
  grid->SetImeName(ui::DataWindow::ImeName());
  PaintTitlesHot(grid);
  return grid;
}

// Two panes, the first keeping its designed height while the window resizes.
QSplitter* NewSplitter(const char* name, int handle, QWidget* first, int firstHeight, QWidget* rest) {
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->setObjectName(name);
  splitter->setHandleWidth(handle);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(first);
  splitter->addWidget(rest);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({firstHeight, 400});
  return splitter;
}

QVBoxLayout* FillWith(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

ui::DBEdit* NewEdit(const char* field) {
  auto* box = new ui::DBEdit;
  box->SetDataField(field);
  return box;
}

ui::DBComboBox* NewCombo(const char* field, const QStringList& items) {
  auto* box = new ui::DBComboBox;
  box->SetDataField(field);
  box->SetItems(items);
  return box;
}

}  // namespace

void TQuotation::BuildPages() {
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  FillWith(this)->addWidget(PageControl1);
  BuildSearchPage();
  BuildInputPage();
  PageControl1->addTab(QuotationFind, "報價單查詢");
  PageControl1->addTab(QuotationInput, "報價單輸入");
  PageControl1->setCurrentWidget(QuotationInput);
  SetTabOrder();
}

void TQuotation::BuildSearchPage() {
  QuotationFind = new QWidget;
  QuotationFind->setObjectName("QuotationFind");
  Panel1 = BuildSearchPanel();
  DBGrid1 = NewGrid("DBGrid1", &DataSourceMaster, quotation::HeaderColumns(), true);
  GroupBox1 = NewGroup("GroupBox1", "報價單", DBGrid1);
  DBGrid2 =
      NewGrid("DBGrid2", &DataSourceDitale, quotation::LineColumns(quotation::LineOrder::WidthFirst), true);
  GroupBox2 = NewGroup("GroupBox2", "報價明細", DBGrid2);
  Splitter2 = NewSplitter("Splitter2", 15, GroupBox1, 136, GroupBox2);
  Splitter1 = NewSplitter("Splitter1", 16, Panel1, 73, Splitter2);
  FillWith(QuotationFind)->addWidget(Splitter1);
}

QFrame* TQuotation::BuildSearchPanel() {
  QFrame* panel = NewPanel("Panel1");
  Label13 = new QLabel("客戶編號", panel);
  Label13->setObjectName("Label13");
  Label13->setGeometry(16, 12, 60, 16);
  EdtCustNo = new QLineEdit(panel);
  EdtCustNo->setObjectName("EdtCustNo");
  EdtCustNo->setGeometry(80, 9, 49, kFieldHeight);
  Label1 = new QLabel("報價單號", panel);
  Label1->setObjectName("Label1");
  Label1->setGeometry(16, 43, 60, 16);
  EdtQuotationNumber = new QLineEdit(panel);
  EdtQuotationNumber->setObjectName("EdtQuotationNumber");
  EdtQuotationNumber->setGeometry(80, 40, 121, kFieldHeight);
  EdtQuotationNumber->setProperty("imeName", ui::DataWindow::ImeName());
  for (QLineEdit* box : {EdtCustNo, EdtQuotationNumber}) ui::HoldWholeText(box);
  BtnFind = new QPushButton("查詢", panel);
  BtnFind->setObjectName("BtnFind");
  BtnFind->setGeometry(216, 38, 75, 25);
  return panel;
}

void TQuotation::BuildInputPage() {
  QuotationInput = new QWidget;
  QuotationInput->setObjectName("QuotationInput");
  ToolBar1 = new ui::RecordToolBar;
  ToolBar1->setObjectName("ToolBar1");
  QAction** buttons[] = {&BtnNew,  &BtnEdit, &BtnDel, &BtnUndo,  &BtnSave,  &BtnTop,
                         &BtnBack, &BtnNext, &BtnEnd, &BtnPrint, &BtnExcel, &BtnExit};
  for (int i = 0; i < ui::RecordToolBar::Count; ++i)
    *buttons[i] = ToolBar1->Action(static_cast<ui::RecordToolBar::Button>(i));
  Panel2 = NewPanel("Panel2");
  BuildHeaderFields();
  BuildLineEntry();
  Splitter3 = NewSplitter("Splitter3", 16, Panel2, 180, GroupBox4);
  QVBoxLayout* layout = FillWith(QuotationInput);
  layout->addWidget(ToolBar1);
  layout->addWidget(Splitter3);
}

void TQuotation::AddLabel(const char* name, const QString& caption, int x, int y) {
  auto* label = new QLabel(caption, Panel2);
  label->setObjectName(name);
  label->setGeometry(x, y + 3, 68, 16);
}

void TQuotation::AddField(QWidget* control, const char* name, int x, int y, int width) {
  control->setParent(Panel2);
  control->setObjectName(name);
  control->setGeometry(x, y, width, kFieldHeight);
  control->setEnabled(false);
  if (auto* bound = dynamic_cast<ui::BoundControl*>(control)) {
    bound->SetDataSource(&DataSourceMaster);
    bound->SetImeName(ImeName());
  }
}

void TQuotation::BuildCustomerRow() {
  AddLabel("Label2", "客戶編號  ", 30, RowY(1));
  DBEdit1 = NewEdit("Cust_no");
  AddField(DBEdit1, "DBEdit1", 99, RowY(1), 46);
  BtnCustNoFind = new QToolButton(Panel2);
  BtnCustNoFind->setObjectName("BtnCustNoFind");
  BtnCustNoFind->setGeometry(147, RowY(1) - 2, 25, 25);
  BtnCustNoFind->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
  BtnCustNoFind->setToolTip("客戶資料查詢");
  BtnCustNoFind->setAccessibleName("客戶資料查詢");
  DBEdit2 = new ui::DBEdit(Panel2);
  DBEdit2->setObjectName("DBEdit2");
  DBEdit2->setGeometry(176, RowY(1), 177, kFieldHeight);
  DBEdit2->SetDataField("cust_name");
  DBEdit2->SetDataSource(&DataSource3);
  DBEdit2->SetImeName(ImeName());
  QPalette face = DBEdit2->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  DBEdit2->setPalette(face);
}

void TQuotation::BuildHeaderFields() {
  BuildCustomerRow();
  auto* red = new QLabel("報價單號   ", Panel2);
  red->setObjectName("Label3");
  red->setGeometry(30, RowY(2) + 3, 68, 16);
  QPalette redText = red->palette();
  redText.setColor(QPalette::WindowText, ui::LegibleOn(Qt::red, Face(red)));
  red->setPalette(redText);
  DBEdit3 = NewEdit("quotation_number");
  AddField(DBEdit3, "DBEdit3", 99, RowY(2), 89);
  AddLabel("Label4", "業務員   ", 232, RowY(2));
  DBComboBox5 = NewCombo("sales", quotation::SalesItems());
  AddField(DBComboBox5, "DBComboBox5", 299, RowY(2), 95);

  AddLabel("Label5", "付款方式   ", 30, RowY(3));
  DBComboBox1 = NewCombo("pay_mode", quotation::PayModeItems());
  AddField(DBComboBox1, "DBComboBox1", 99, RowY(3), 94);
  AddLabel("Label6", "交貨方式   ", 232, RowY(3));
  DBComboBox3 = NewCombo("consign_mode", quotation::ConsignModeItems());
  AddField(DBComboBox3, "DBComboBox3", 299, RowY(3), 86);
  AddLabel("Label7", "稅別   ", 418, RowY(3));
  DBEdit4 = NewEdit("tax_type");
  AddField(DBEdit4, "DBEdit4", 458, RowY(3), 48);

  AddLabel("Label8", "付款條件   ", 30, RowY(4));
  DBComboBox2 = NewCombo("pay_condition", quotation::PayConditionItems());
  AddField(DBComboBox2, "DBComboBox2", 99, RowY(4), 94);
  AddLabel("Label9", "幣別   ", 232, RowY(4));
  DBComboBox4 = NewCombo("money_type", quotation::MoneyTypeItems());
  AddField(DBComboBox4, "DBComboBox4", 299, RowY(4), 86);
  AddLabel("Label10", "稅率   ", 418, RowY(4));
  DBEdit5 = NewEdit("tax_rate");
  AddField(DBEdit5, "DBEdit5", 458, RowY(4), 48);

  AddLabel("Label11", "報價日期   ", 30, RowY(5));
  DBEdit6 = NewEdit("quotation_date");
  AddField(DBEdit6, "DBEdit6", 99, RowY(5), 78);
  AddLabel("Label12", "有效日期", 232, RowY(5));
  DBEdit7 = NewEdit("availability_date");
  AddField(DBEdit7, "DBEdit7", 299, RowY(5), 86);
}

void TQuotation::BuildLineEntry() {
  DBGrid3 =
      NewGrid("DBGrid3", &DataSourceDitale, quotation::LineColumns(quotation::LineOrder::HeightFirst), false);
  DBNavigator1 = new ui::DBNavigator;
  DBNavigator1->setObjectName("DBNavigator1");
  DBNavigator1->setFixedHeight(25);
  DBNavigator1->SetDataSource(&DataSourceDitale);
  GroupBox4 = new QGroupBox("報價明細輸入");
  GroupBox4->setObjectName("GroupBox4");
  auto* layout = new QVBoxLayout(GroupBox4);
  layout->setContentsMargins(2, 2, 2, 0);
  layout->setSpacing(0);
  layout->addWidget(DBGrid3);
  layout->addWidget(DBNavigator1);
  PaintCaptionHot(GroupBox4);
}

void TQuotation::SetTabOrder() {
  setTabOrder(EdtQuotationNumber, BtnFind);
  setTabOrder(BtnFind, EdtCustNo);
  QWidget* const order[] = {DBEdit1,     BtnCustNoFind, DBEdit3,     DBComboBox5, DBComboBox1,
                            DBComboBox2, DBComboBox3,   DBComboBox4, DBEdit4,     DBEdit5,
                            DBEdit6,     DBEdit7,       DBEdit2};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TQuotation::ConnectHandlers() {
  using ui::Guarded;
  connect(BtnExit, &QAction::triggered, this, Guarded([this] { BtnExitClick(); }));
  connect(BtnCustNoFind, &QToolButton::clicked, this, Guarded([this] { BtnCustNoFindClick(); }));
  connect(BtnNew, &QAction::triggered, this, Guarded([this] { BtnNewClick(); }));
  connect(BtnSave, &QAction::triggered, this, Guarded([this] { BtnSaveClick(); }));
  connect(BtnFind, &QPushButton::clicked, this, Guarded([this] { BtnFindClick(); }));
  connect(DBEdit1, &QLineEdit::textChanged, this, Guarded([this] { DBEdit1Change(); }));
  connect(BtnEdit, &QAction::triggered, this, Guarded([this] { BtnEditClick(); }));
  connect(BtnUndo, &QAction::triggered, this, Guarded([this] { BtnUndoClick(); }));
  connect(BtnDel, &QAction::triggered, this, Guarded([this] { BtnDelClick(); }));
  connect(BtnTop, &QAction::triggered, this, Guarded([this] { BtnTopClick(); }));
  connect(BtnBack, &QAction::triggered, this, Guarded([this] { BtnBackClick(); }));
  connect(BtnNext, &QAction::triggered, this, Guarded([this] { BtnNextClick(); }));
  connect(BtnEnd, &QAction::triggered, this, Guarded([this] { BtnEndClick(); }));
  connect(BtnPrint, &QAction::triggered, this, Guarded([this] { BtnPrintClick(); }));
  connect(BtnExcel, &QAction::triggered, this, Guarded([this] { BtnExcelClick(); }));
}
