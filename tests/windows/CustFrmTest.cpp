// The customer window as it opens: layout, controls, menus and its lifetime.
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>

#include "CustFrmFixture.h"
#include "store/StoreError.h"
#include "ui/app/RecordToolBar.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"
#include "ui/data/DBGrid.h"
#include "ui/data/RecordSetModel.h"
#include "ui/menu/TMenu.h"
#include "ui/menu/TMenuItem.h"
#include "windows/CustFrmEditPanel.h"
#include "windows/CustFrmSearchPanel.h"
#include "windows/MainUnt.h"
#include "windows/XPBarMenu.h"

namespace {

using B = ui::RecordToolBar;

class CustFrmTest : public CustFrmFixture {};

const char* const kIme = "中文 (简体) - 微软拼音";

// The next control that the Tab key reaches within `panel`.
QWidget* NextTabStop(QWidget* panel, QWidget* from) {
  for (QWidget* link = from->nextInFocusChain(); link != from; link = link->nextInFocusChain()) {
    QWidget* control = link;  // a pick list's inner edit stands for the pick list
    while (control->parentWidget() && control->parentWidget() != panel) control = control->parentWidget();
    if (control != from && control->parentWidget() == panel && (control->focusPolicy() & Qt::TabFocus))
      return control;
  }
  return nullptr;
}

TEST_F(CustFrmTest, OpensOnTheWholeTableWithTheEntryBoxesLocked) {
  SeedNumbered(3);
  TCustFrm& w = *OpenWindow();
  EXPECT_EQ(w.objectName(), "CustFrm");
  EXPECT_EQ(w.windowTitle(), "客戶基本資料維護");
  EXPECT_EQ(CustFrm.data(), &w);
  EXPECT_TRUE(w.ADOConnection1.Connected());
  EXPECT_EQ(w.ADOQuery1.State(), store::DataSetState::Browse);
  EXPECT_EQ(w.ADOQuery1.RecordCount(), 3);
  EXPECT_EQ(w.ADOQuery1.RecNo(), 0);
  EXPECT_EQ(w.Panel2->DBEdit1->text(), "S001");
  EXPECT_EQ(w.Panel2->DBEdit2->text(), "Company 1");
  EXPECT_EQ(w.AddFlag, 0);
  EXPECT_TRUE(w.Panel2->DBEdit1->isEnabled());
  ASSERT_EQ(w.Panel2->EntryBoxes().size(), 11u);
  for (QWidget* box : w.Panel2->EntryBoxes())
    EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
  for (int b = 0; b < B::Count; ++b)
    EXPECT_EQ(w.ToolBar1->Action(B::Button(b))->isEnabled(), b != B::Undo && b != B::Save) << b;
  EXPECT_FALSE(w.Panel1->BtnFind->isEnabled());
  EXPECT_FALSE(w.Panel1->BtnCancel->isEnabled());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(CustFrmTest, LayoutFollowsTheDesign) {
  TCustFrm& w = *OpenWindow();
  w.show();
  QApplication::processEvents();
  EXPECT_EQ(w.ToolBar1->objectName(), "ToolBar1");
  EXPECT_EQ(w.ToolBar1->height(), 29);
  EXPECT_EQ(w.ToolBar1->geometry().top(), 0);
  EXPECT_EQ(w.Panel1->width(), 201);
  EXPECT_EQ(w.Panel2->height(), 240);
  EXPECT_EQ(w.Splitter1->handleWidth(), 3);
  EXPECT_EQ(w.Splitter2->handleWidth(), 3);
  EXPECT_EQ(w.Splitter1->orientation(), Qt::Horizontal);
  EXPECT_EQ(w.Splitter2->orientation(), Qt::Vertical);
  EXPECT_EQ(w.Panel3->objectName(), "Panel3");
  EXPECT_EQ(w.DBGrid1->parentWidget(), w.Panel3);
  // The edit panel stays 240 high when the window grows; the grid takes the room.
  w.resize(700, 600);
  QApplication::processEvents();
  EXPECT_EQ(w.Panel2->height(), 240);
  EXPECT_EQ(w.Panel1->width(), 201);
}

TEST_F(CustFrmTest, EditPanelWidthsColoursAndTabOrder) {
  TCustFrm& w = *OpenWindow();
  CustFrmEditPanel& p = *w.Panel2;
  const std::pair<QWidget*, int> widths[] = {{p.DBEdit1, 43},  {p.DBEdit2, 121}, {p.DBEdit3, 379},
                                             {p.DBEdit4, 379}, {p.DBEdit5, 67},  {p.DBEdit6, 107},
                                             {p.DBEdit7, 107}, {p.DBEdit8, 105}, {p.DBEdit9, 121},
                                             {p.DBEdit11, 50}, {p.DBEdit10, 73}, {p.DBComboBox1, 83}};
  for (const auto& [box, width] : widths) EXPECT_EQ(box->width(), width) << box->objectName().toStdString();
  EXPECT_EQ(p.DBEdit1->palette().color(QPalette::Base), p.DBEdit1->palette().color(QPalette::Button));
  const std::pair<ui::DBEdit*, const char*> fields[] = {
      {p.DBEdit1, "cust_no"}, {p.DBEdit2, "cust_name"},    {p.DBEdit3, "all_name"},   {p.DBEdit4, "incaddr"},
      {p.DBEdit5, "linkman"}, {p.DBEdit6, "tel1"},         {p.DBEdit7, "tel2"},       {p.DBEdit8, "fax"},
      {p.DBEdit9, "email"},   {p.DBEdit10, "create_date"}, {p.DBEdit11, "PostalCode"}};
  for (const auto& [box, field] : fields) {
    EXPECT_EQ(box->DataField(), field);
    EXPECT_EQ(box->GetDataSource(), w.DataSource1);
    EXPECT_EQ(box->ImeName(), kIme);
  }
  EXPECT_EQ(p.DBComboBox1->DataField(), "sales");
  EXPECT_EQ(p.DBComboBox1->ImeName(), kIme);
  ASSERT_EQ(p.DBComboBox1->count(), 1);
  EXPECT_EQ(p.DBComboBox1->itemText(0), "王小明");
  std::vector<QString> order{p.DBEdit1->objectName()};
  for (QWidget* at = p.DBEdit1; order.size() < 12;) {
    at = NextTabStop(&p, at);
    ASSERT_NE(at, nullptr);
    order.push_back(at->objectName());
  }
  EXPECT_EQ(order,
            (std::vector<QString>{"DBEdit1", "DBEdit2", "DBEdit3", "DBEdit4", "DBEdit5", "DBEdit6", "DBEdit7",
                                  "DBEdit8", "DBEdit9", "DBEdit11", "DBComboBox1", "DBEdit10"}));
}

TEST_F(CustFrmTest, SearchPanelAndGridLookAsDesigned) {
  TCustFrm& w = *OpenWindow();
  CustFrmSearchPanel& s = *w.Panel1;
  EXPECT_EQ(s.Label10->text(), "公司簡稱");
  EXPECT_EQ(s.Label2->text(), "公司地址");
  EXPECT_EQ(s.edtname->width(), 105);
  EXPECT_EQ(s.Edtaddress->width(), 107);
  EXPECT_EQ(s.BtnFind->text(), "查詢");
  EXPECT_EQ(s.BtnCancel->text(), "取消");
  EXPECT_EQ(s.BtnFind->size(), QSize(65, 25));
  EXPECT_EQ(s.BtnCancel->size(), QSize(65, 25));
  EXPECT_LT(s.BtnFind->x(), s.BtnCancel->x());
  EXPECT_EQ(NextTabStop(&s, s.edtname), s.Edtaddress);
  EXPECT_EQ(s.edtname->property("ImeName").toString(), kIme);
  EXPECT_EQ(s.Edtaddress->property("ImeName").toString(), kIme);

  EXPECT_EQ(w.DBGrid1->ImeName(), kIme);
  EXPECT_TRUE(w.DBGrid1->ReadOnly());
  ui::RecordSetModel& model = *w.DBGrid1->Model();
  ASSERT_EQ(model.columnCount(), 15);
  EXPECT_EQ(w.DBGrid1->VisibleColumnCount(), 11);
  const char* titles[] = {"客戶編號", "公司簡稱", "公司名稱", "公司地址", "聯繫人", "電話1",
                          "電話2",    "傳真",     "郵編",     "E-mail",   "業務員"};
  for (int c = 0; c < 11; ++c) {
    EXPECT_EQ(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), titles[c]);
    EXPECT_TRUE(model.Columns()[c].titleAlignment & Qt::AlignHCenter);
    EXPECT_FALSE(w.DBGrid1->isColumnHidden(c));
  }
  for (int c = 11; c < 15; ++c) EXPECT_TRUE(w.DBGrid1->isColumnHidden(c)) << c;
  EXPECT_EQ(model.Columns()[13].field, "create_date");
}

TEST_F(CustFrmTest, EditMenuAndContextMenuCarryTheirItems) {
  TCustFrm& w = *OpenWindow();
  EXPECT_EQ(w.Menu(), w.MainMenu1);
  ui::TMenuItem* bar = w.MainMenu1->Items();
  ASSERT_EQ(bar->Count(), 1);
  EXPECT_EQ(bar->Items(0), w.N1);
  EXPECT_EQ(w.N1->Caption(), "編輯(&E)");
  EXPECT_EQ(w.N1->GroupIndex(), 1);
  auto captions = [](ui::TMenuItem* parent) {
    std::vector<QString> list;
    for (int i = 0; i < parent->Count(); ++i) {
      ui::TMenuItem* item = parent->Items(i);
      list.push_back(item->Name() + ":" + item->Caption());
      if (!item->IsLine()) {
        EXPECT_FALSE(item->Bitmap().isNull()) << item->Name().toStdString();
        EXPECT_TRUE(item->ShortCut().isEmpty());
        EXPECT_TRUE(item->Enabled());
      }
    }
    return list;
  };
  EXPECT_EQ(captions(w.N1), (std::vector<QString>{"Nappend:新增", "Nedit:修改", "Ndelte:刪除", "Ncancel:取消",
                                                  "N7:-", "Nsave:保存"}));
  EXPECT_EQ(captions(w.PopupMenu1->Items()),
            (std::vector<QString>{"N8:新增", "N9:-", "N2:修改", "N3:刪除", "N4:取消", "N5:-", "N6:保存"}));
  EXPECT_TRUE(w.MainMenu1->OwnerDraw());
  EXPECT_TRUE(w.PopupMenu1->OwnerDraw());
}

TEST_F(CustFrmTest, ItsMenuPainterHasTheFramesSettingsAndDrawsEveryItem) {
  TCustFrm& w = *OpenWindow();
  ASSERT_NE(w.XPBarMenu1, nullptr);
  EXPECT_EQ(w.XPBarMenu1->Name(), "XPBarMenu1");
  EXPECT_EQ(w.XPBarMenu1->BarCaption(), "ZQ");
  EXPECT_EQ(w.XPBarMenu1->Font().Name, "Tahoma");
  EXPECT_EQ(w.XPBarMenu1->BarFont().Name, "Tahoma");
  EXPECT_EQ(w.XPBarMenu1->IconWidth(), 24);
  EXPECT_TRUE(w.XPBarMenu1->FlatMenu());
  EXPECT_TRUE(w.XPBarMenu1->Active());
  for (ui::TMenuItem* item : {w.N1, w.Nappend, w.Nedit, w.Ndelte, w.Ncancel, w.N7, w.Nsave, w.N8, w.N9, w.N2,
                              w.N3, w.N4, w.N5, w.N6}) {
    EXPECT_TRUE(item->OnDrawItem.Assigned()) << item->Name().toStdString();
    EXPECT_TRUE(item->OnMeasureItem.Assigned()) << item->Name().toStdString();
  }
}

TEST_F(CustFrmTest, InTheFrameItOpensAtTheOriginWithItsMenuMergedSecond) {
  SeedNumbered(2);
  TMainFrm frame;
  frame.show();
  frame.Ncustomer->Action()->trigger();
  ASSERT_FALSE(CustFrm.isNull());
  TCustFrm& w = *CustFrm;
  QApplication::processEvents();
  ASSERT_NE(frame.MdiArea->activeSubWindow(), nullptr);
  EXPECT_EQ(frame.MdiArea->activeSubWindow()->widget(), &w);
  EXPECT_EQ(frame.MdiArea->activeSubWindow()->frameGeometry(), QRect(0, 0, 550, 450));
  EXPECT_EQ(w.Panel2->height(), 240);
  EXPECT_EQ(w.Panel1->width(), 201);
  QStringList bar;
  for (const QAction* action : frame.menuBar()->actions()) bar << action->text();
  EXPECT_EQ(bar, (QStringList{"檔案(&F)", "編輯(&E)", "基本資料(&M)", "系統(&H)"}));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(CustFrmTest, RightClickShowsTheContextMenu) {
  TCustFrm& w = *OpenWindow();
  w.show();
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(300, 100), w.mapToGlobal(QPoint(300, 100)));
  QApplication::sendEvent(&w, &click);
  ASSERT_NE(w.PopupMenu1->Menu(), nullptr);
  EXPECT_TRUE(w.PopupMenu1->Menu()->isVisible());
  w.PopupMenu1->Menu()->hide();
}

TEST_F(CustFrmTest, WithoutDataMdbNoWindowIsLeft) {
  QDir().remove("data.mdb");
  const int before = QApplication::allWidgets().size();
  EXPECT_THROW(TCustFrm window, store::StoreError);
  EXPECT_EQ(QApplication::allWidgets().size(), before);
}

TEST_F(CustFrmTest, ExitClosesThePressingWindowAndItsSubWindow) {
  SeedNumbered(2);
  QMdiArea area;
  TCustFrm* older = OpenWindow();
  QPointer<QMdiSubWindow> olderSub = area.addSubWindow(older);
  TCustFrm* newer = OpenWindow();
  QPointer<QMdiSubWindow> newerSub = area.addSubWindow(newer);
  area.show();
  EXPECT_EQ(CustFrm.data(), newer);
  older->ToolBar1->Action(B::Exit)->trigger();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(olderSub.isNull());
  EXPECT_TRUE(newerSub);
  EXPECT_EQ(area.subWindowList().size(), 1);
  newer->ToolBar1->Action(B::Exit)->trigger();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(newerSub.isNull());
  EXPECT_TRUE(CustFrm.isNull());
  EXPECT_TRUE(area.subWindowList().empty());
}

TEST_F(CustFrmTest, ClosingFreesTheWindow) {
  QPointer<TCustFrm> w = OpenWindow();
  w->show();
  EXPECT_TRUE(w->close());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());
}

TEST_F(CustFrmTest, TwoWindowsKeepTheirOwnConnections) {
  SeedNumbered(2);
  TCustFrm& first = *OpenWindow();
  TCustFrm& second = *OpenWindow();
  EXPECT_EQ(CustFrm.data(), &second);
  EXPECT_NE(&first.ADOConnection1.Store(), &second.ADOConnection1.Store());
  first.ToolBar1->Action(B::New)->trigger();
  Type(first.Panel2->DBEdit2, "Alpha");
  first.ToolBar1->Action(B::Save)->trigger();
  EXPECT_EQ(first.ADOQuery1.RecordCount(), 3);
  // The second window sees the new row only once it queries again.
  EXPECT_EQ(second.ADOQuery1.RecordCount(), 2);
  second.Panel1->edtname->setText("S003");
  second.Panel1->BtnFind->click();
  EXPECT_EQ(Numbers(second), std::vector<std::string>{"S003"});
}

}  // namespace
