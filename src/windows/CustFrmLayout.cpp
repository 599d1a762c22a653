// The customer window's construction: layout, grid, menus and wiring.
#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "ui/app/Guard.h"
#include "ui/app/RecordToolBar.h"
#include "ui/data/DBGrid.h"
#include "ui/data/DataSource.h"
#include "ui/menu/TImageList.h"
#include "ui/menu/TMenu.h"
#include "ui/menu/TMenuItem.h"
#include "windows/CustFrmEditPanel.h"
#include "windows/CustFrmLook.h"
#include "windows/CustFrmSearchPanel.h"
#include "windows/CustomUnt.h"
#include "windows/XPBarMenu.h"

namespace {

constexpr int kSplitterWidth = 3;
constexpr int kSearchWidth = 201;
constexpr int kUpperHeight = 132;
constexpr int kEditHeight = 240;

std::vector<ui::GridColumn> CustomerColumns() {
  const std::pair<const char*, const char*> shown[] = {
      {"cust_no", "客戶編號"}, {"cust_name", "公司簡稱"}, {"all_name", "公司名稱"}, {"incaddr", "公司地址"},
      {"linkman", "聯繫人"},   {"tel1", "電話1"},         {"tel2", "電話2"},        {"fax", "傳真"},
      {"PostalCode", "郵編"},  {"email", "E-mail"},       {"sales", "業務員"}};
  std::vector<ui::GridColumn> columns;
  for (const auto& [field, title] : shown)
    columns.push_back({QString::fromUtf8(field), QString::fromUtf8(title)});
  for (const char* field : {"ap_user", "ed_user", "create_date", "last_date"})
    columns.push_back({QString::fromUtf8(field), QString(), false});
  return columns;
}

QSplitter* NewSplitter(Qt::Orientation orientation, const char* name, QWidget* parent) {
  auto* splitter = new QSplitter(orientation, parent);
  splitter->setObjectName(name);
  splitter->setHandleWidth(kSplitterWidth);
  splitter->setChildrenCollapsible(false);
  return splitter;
}

}  // namespace

void TCustFrm::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  ToolBar1 = new ui::RecordToolBar(this);
  ToolBar1->setObjectName("ToolBar1");
  layout->addWidget(ToolBar1);
  Splitter2 = NewSplitter(Qt::Vertical, "Splitter2", this);
  Splitter1 = NewSplitter(Qt::Horizontal, "Splitter1", Splitter2);
  Panel1 = new CustFrmSearchPanel(Splitter1);
  Panel3 = BuildGridPanel();
  Panel2 = new CustFrmEditPanel(Splitter2, DataSource1);
  // Only the grid takes up or gives back room when the window is resized.
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({kSearchWidth, 550 - kSearchWidth - kSplitterWidth});
  Splitter2->setStretchFactor(0, 1);
  Splitter2->setStretchFactor(1, 0);
  Splitter2->setSizes({kUpperHeight, kEditHeight});
  layout->addWidget(Splitter2);
}

QFrame* TCustFrm::BuildGridPanel() {
  auto* panel = new QFrame(Splitter1);
  panel->setObjectName("Panel3");
  custfrm::SetPanelLook(panel);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  DBGrid1 = new ui::DBGrid(panel);
  DBGrid1->setObjectName("DBGrid1");
  DBGrid1->SetReadOnly(true);
  DBGrid1->SetColumns(CustomerColumns());
  DBGrid1->SetDataSource(DataSource1);
  DBGrid1->SetImeName(ImeName());
  layout->addWidget(DBGrid1);
  return panel;
}

void TCustFrm::BuildMenus() {
  MainMenu1 = new ui::TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  N1 = new ui::TMenuItem(this);
  N1->SetName("N1");
  N1->SetCaption(QStringLiteral("編輯(&E)"));
  N1->SetGroupIndex(1);
  MainMenu1->Items()->Add(N1);
  Nappend = AddMenuItem(N1, "Nappend", "新增", ui::RecordToolBar::New, &TCustFrm::BtnNewClick);
  Nedit = AddMenuItem(N1, "Nedit", "修改", ui::RecordToolBar::Edit, &TCustFrm::BtnEditClick);
  Ndelte = AddMenuItem(N1, "Ndelte", "刪除", ui::RecordToolBar::Del, &TCustFrm::BtnDelClick);
  Ncancel = AddMenuItem(N1, "Ncancel", "取消", ui::RecordToolBar::Undo, &TCustFrm::BtnUndoClick);
  N7 = AddMenuItem(N1, "N7", "-", -1, nullptr);
  Nsave = AddMenuItem(N1, "Nsave", "保存", ui::RecordToolBar::Save, &TCustFrm::BtnSaveClick);
  MainMenu1->SetOwnerDraw(true);
  SetMenu(MainMenu1);
  BuildPopupMenu();
  // Made last, the painter finds both menus complete and hooks every item.
  XPBarMenu1 = new TXPBarMenu(this);
  XPBarMenu1->SetName("XPBarMenu1");
  ApplyWindowMenuLook(*XPBarMenu1);
}

void TCustFrm::BuildPopupMenu() {
  PopupMenu1 = new ui::TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  ui::TMenuItem* root = PopupMenu1->Items();
  N8 = AddMenuItem(root, "N8", "新增", ui::RecordToolBar::New, &TCustFrm::BtnNewClick);
  N9 = AddMenuItem(root, "N9", "-", -1, nullptr);
  N2 = AddMenuItem(root, "N2", "修改", ui::RecordToolBar::Edit, &TCustFrm::BtnEditClick);
  N3 = AddMenuItem(root, "N3", "刪除", ui::RecordToolBar::Del, &TCustFrm::BtnDelClick);
  N4 = AddMenuItem(root, "N4", "取消", ui::RecordToolBar::Undo, &TCustFrm::BtnUndoClick);
  N5 = AddMenuItem(root, "N5", "-", -1, nullptr);
  N6 = AddMenuItem(root, "N6", "保存", ui::RecordToolBar::Save, &TCustFrm::BtnSaveClick);
  PopupMenu1->SetOwnerDraw(true);
}

// A command item shows the matching toolbar picture; a separator has none.
ui::TMenuItem* TCustFrm::AddMenuItem(ui::TMenuItem* parent, const char* name, const char* caption, int image,
                                     Handler handler) {
  auto* item = new ui::TMenuItem(this);
  item->SetName(name);
  item->SetCaption(QString::fromUtf8(caption));
  if (image >= 0) item->SetBitmap(ToolBar1->Images().Image(image), ToolBar1->Images().Image(image, 2));
  if (handler) item->OnClick = [this, handler] { ui::Guard([this, handler] { (this->*handler)(); }); };
  parent->Add(item);
  if (item->Action()) item->Action()->setObjectName(name);
  return item;
}

void TCustFrm::ConnectToolBar() {
  using B = ui::RecordToolBar;
  const std::pair<B::Button, Handler> bindings[] = {
      {B::New, &TCustFrm::BtnNewClick},   {B::Edit, &TCustFrm::BtnEditClick},
      {B::Del, &TCustFrm::BtnDelClick},   {B::Undo, &TCustFrm::BtnUndoClick},
      {B::Save, &TCustFrm::BtnSaveClick}, {B::Top, &TCustFrm::BtnTopClick},
      {B::Back, &TCustFrm::BtnBackClick}, {B::Next, &TCustFrm::BtnNextClick},
      {B::End, &TCustFrm::BtnEndClick},   {B::Exit, &TCustFrm::BtnExitClick}};
  for (const auto& [button, handler] : bindings)
    connect(ToolBar1->Action(button), &QAction::triggered, this,
            ui::Guarded([this, handler = handler] { (this->*handler)(); }));
}

void TCustFrm::ConnectSearch() {
  for (QLineEdit* box : {Panel1->edtname, Panel1->Edtaddress})
    connect(box, &QLineEdit::textChanged, this, ui::Guarded([this] { edtnameChange(); }));
  connect(Panel1->BtnFind, &QPushButton::clicked, this, ui::Guarded([this] { BtnFindClick(); }));
  connect(Panel1->BtnCancel, &QPushButton::clicked, this, ui::Guarded([this] { BtnCancelClick(); }));
}
