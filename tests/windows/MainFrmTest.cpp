#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "store/Schema.h"
#include "store/StoreError.h"
#include "support/Typing.h"
#include "ui/app/FrameOnScreen.h"
#include "ui/app/Prompts.h"
#include "ui/app/RecordToolBar.h"
#include "ui/data/DBEdit.h"
#include "ui/menu/Form.h"
#include "ui/menu/TMenu.h"
#include "ui/menu/TMenuItem.h"
#include "windows/CustFrmEditPanel.h"
#include "windows/CustFrmSearchPanel.h"
#include "windows/CustomUnt.h"
#include "windows/MainUnt.h"
#include "windows/QuotationUnt.h"
#include "windows/XPBarMenu.h"

using ui::Prompts;
using ui::TMenuItem;

namespace {

// A maintenance window with a one-item main menu, like the customer window's.
class MenuChild : public QWidget, public ui::Form {
 public:
  MenuChild() : ui::Form(this), MainMenu1(new ui::TMainMenu(this)) {
    setWindowTitle("child");
    auto* edit = new TMenuItem(this);
    edit->SetCaption("編輯(&E)");
    edit->SetGroupIndex(1);
    MainMenu1->Items()->Add(edit);
    auto* append = new TMenuItem(this);
    append->SetCaption("新增");
    edit->Add(append);
    SetMenu(MainMenu1);
  }
  ui::TMainMenu* MainMenu1;
};

QPointer<QWidget> LastChild;

const std::string kFrameBar = "檔案(&F) 基本資料(&M) 系統(&H)";
const std::string kMergedBar = "檔案(&F) 編輯(&E) 基本資料(&M) 系統(&H)";

class MainFrmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Prompts::ClearRecorded();
    Prompts::SetResponder([](const ui::Prompt&) { return ui::Answer::Ok; });
    frame = std::make_unique<TMainFrm>();
    MainFrm = frame.get();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  }
  void TearDown() override {
    frame.reset();
    TMainFrm::SetChildFactory(TMainFrm::Child::Customer, nullptr);
    TMainFrm::SetChildFactory(TMainFrm::Child::Quotation, nullptr);
    Prompts::ClearResponder();
  }

  std::string BarCaptions() const {
    QStringList captions;
    for (const QAction* action : frame->menuBar()->actions()) captions << action->text();
    return captions.join(' ').toStdString();
  }
  // (280, 105), 656 x 526, moved onto the test screen when it does not fit there.
  QRect DesignedOnThisScreen() const {
    return ui::FrameOnScreen(QRect(280, 105, 656, 526), frame->screen()->availableGeometry());
  }
  QList<QMdiSubWindow*> Children() const { return frame->MdiArea->subWindowList(); }
  static void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  std::unique_ptr<TMainFrm> frame;
};

TEST_F(MainFrmTest, FrameWindowAsDesigned) {
  EXPECT_EQ(frame->objectName(), "MainFrm");
  EXPECT_EQ(frame->windowTitle(), "樣品報價系統");
  EXPECT_EQ(frame->frameGeometry(), DesignedOnThisScreen());
  const Qt::WindowFlags flags = frame->windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_EQ(frame->centralWidget(), frame->MdiArea);
  EXPECT_EQ(frame->statusBar(), frame->StatusBar1);
  EXPECT_EQ(frame->StatusBar1->objectName(), "StatusBar1");
  EXPECT_EQ(frame->StatusBar1->height(), 19);
  EXPECT_TRUE(frame->StatusBar1->currentMessage().isEmpty());
  EXPECT_TRUE(Children().isEmpty());
  EXPECT_EQ(MainFrm.data(), frame.get());
}

TEST_F(MainFrmTest, MenuItemsWithNamesCaptionsAndGroups) {
  struct Expected {
    TMenuItem* item;
    TMenuItem* parent;
    const char* name;
    const char* caption;
    int group;
  };
  TMainFrm& f = *frame;
  TMenuItem* root = f.MainMenu1->Items();
  const Expected items[] = {
      {f.N1, root, "N1", "檔案(&F)", 0},
      {f.Nlogin, f.N1, "Nlogin", "登入", 0},
      {f.N3, f.N1, "N3", "-", 0},
      {f.Nexit, f.N1, "Nexit", "退出", 0},
      {f.N5, root, "N5", "基本資料(&M)", 2},
      {f.Ncustomer, f.N5, "Ncustomer", "客戶資料維護", 0},
      {f.Nmuster, f.N5, "Nmuster", "樣品單維護", 0},
      {f.Nquotation, f.N5, "Nquotation", "報價單維護", 0},
      {f.Nworkspace, f.N5, "Nworkspace", "報價工作台", 0},
      {f.N9, root, "N9", "系統(&H)", 3},
      {f.Neditpass, f.N9, "Neditpass", "修改密碼", 0},
      {f.Nloginoff, f.N9, "Nloginoff", "注銷", 0},
      {f.nn, f.N9, "nn", "-", 0},
      {f.Nabout, f.N9, "Nabout", "關於...", 0},
  };
  for (const Expected& e : items) {
    ASSERT_NE(e.item, nullptr) << e.name;
    EXPECT_EQ(e.item->Name(), e.name);
    EXPECT_EQ(e.item->Caption(), e.caption) << e.name;
    EXPECT_EQ(e.item->GroupIndex(), e.group) << e.name;
    EXPECT_EQ(e.item->Parent(), e.parent) << e.name;
    EXPECT_EQ(e.item->Action()->objectName(), e.name);
    EXPECT_EQ(e.item->Owner(), static_cast<ui::Component*>(&f)) << e.name;
  }
  EXPECT_EQ(root->Count(), 3);
  EXPECT_EQ(f.N1->Count(), 3);
  EXPECT_EQ(f.N5->Count(), 4);  // the designed three, then the workspace
  EXPECT_EQ(f.N9->Count(), 4);
  EXPECT_TRUE(f.N3->Action()->isSeparator());
  EXPECT_TRUE(f.nn->Action()->isSeparator());
  EXPECT_FALSE(f.Nlogin->Bitmap().isNull());
  EXPECT_FALSE(f.Nexit->Bitmap().isNull());
  EXPECT_TRUE(f.Ncustomer->Bitmap().isNull());
  EXPECT_TRUE(f.MainMenu1->OwnerDraw());
  // The painter draws every item of the frame's menu.
  for (const Expected& e : items) EXPECT_EQ(e.item->OnDrawItem.object, f.XPBarMenu1) << e.name;
  EXPECT_EQ(f.XPBarMenu1->BarCaption(), "ZQ");
  EXPECT_EQ(f.XPBarMenu1->IconWidth(), 24);
  EXPECT_TRUE(f.XPBarMenu1->Active());
  EXPECT_EQ(f.Menu(), f.MainMenu1);
  EXPECT_EQ(f.menuBar(), f.MainMenu1->MenuBar());
  EXPECT_EQ(BarCaptions(), kFrameBar);
}

TEST_F(MainFrmTest, ItemsWithoutHandlersChangeNothing) {
  for (TMenuItem* item :
       {frame->Nlogin, frame->Nexit, frame->Nmuster, frame->Neditpass, frame->Nloginoff, frame->Nabout}) {
    item->Action()->trigger();
    EXPECT_FALSE(item->OnClick) << item->Name().toStdString();
  }
  QCoreApplication::processEvents();
  EXPECT_TRUE(frame->isVisible());
  EXPECT_TRUE(Children().isEmpty());
  EXPECT_TRUE(Prompts::Recorded().empty());
  EXPECT_EQ(BarCaptions(), kFrameBar);
  EXPECT_EQ(frame->frameGeometry(), DesignedOnThisScreen());
}

TEST_F(MainFrmTest, EveryChoiceOpensANewChildAtTheOrigin) {
  int made = 0;
  TMainFrm::SetChildFactory(TMainFrm::Child::Customer, [&](TMainFrm& owner) {
    EXPECT_EQ(&owner, frame.get());
    ++made;
    LastChild = new QWidget;
    return LastChild.data();
  });
  frame->Ncustomer->Action()->trigger();
  QPointer<QWidget> first = LastChild;
  frame->Ncustomer->Action()->trigger();
  ASSERT_EQ(made, 2);
  ASSERT_EQ(Children().size(), 2);
  EXPECT_NE(first, LastChild);
  for (QMdiSubWindow* window : Children()) {
    EXPECT_EQ(window->frameGeometry(), QRect(0, 0, 550, 450));
    EXPECT_TRUE(window->isVisible());
  }
  EXPECT_EQ(frame->MdiArea->activeSubWindow()->widget(), LastChild.data());
  // Closing a child frees it; a reference to it then reads null.
  frame->MdiArea->activeSubWindow()->close();
  DeleteClosedWindows();
  EXPECT_TRUE(LastChild.isNull());
  EXPECT_FALSE(first.isNull());
  frame.reset();
  EXPECT_TRUE(first.isNull());  // children go with the frame
  EXPECT_TRUE(MainFrm.isNull());
}

TEST_F(MainFrmTest, QuotationChoiceOpensItsOwnWindow) {
  TMainFrm::SetChildFactory(TMainFrm::Child::Quotation, [](TMainFrm&) {
    auto* window = new QWidget;
    window->setWindowTitle("quotation");
    return window;
  });
  frame->Nquotation->Action()->trigger();
  frame->Nquotation->Action()->trigger();
  ASSERT_EQ(Children().size(), 2);
  for (QMdiSubWindow* window : Children()) {
    EXPECT_EQ(window->frameGeometry(), QRect(0, 0, 550, 450));
    EXPECT_EQ(window->widget()->windowTitle(), "quotation");
  }
}

// The standard factories open the real windows on data.mdb in the working folder.
class MainFrmDataTest : public MainFrmTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    MainFrmTest::SetUp();
  }
  void TearDown() override {
    MainFrmTest::TearDown();
    QDir::setCurrent(previous);
  }
  QTemporaryDir folder;
  QString previous;
};

TEST_F(MainFrmDataTest, OpensCustomerAndQuotationWindows) {
  store::CreateDemoDatabase("data.mdb");
  frame->Ncustomer->Action()->trigger();
  QPointer<TCustFrm> first = CustFrm;
  frame->Ncustomer->Action()->trigger();
  ASSERT_FALSE(first.isNull());
  ASSERT_FALSE(CustFrm.isNull());
  EXPECT_NE(first, CustFrm);
  EXPECT_EQ(frame->MdiArea->activeSubWindow()->widget(), CustFrm.data());
  EXPECT_EQ(BarCaptions(), kMergedBar);

  frame->Nquotation->Action()->trigger();
  ASSERT_FALSE(Quotation.isNull());
  EXPECT_EQ(frame->MdiArea->activeSubWindow()->widget(), Quotation.data());
  EXPECT_EQ(BarCaptions(), kFrameBar);
  ASSERT_EQ(Children().size(), 3);
  for (QMdiSubWindow* window : Children()) EXPECT_EQ(window->frameGeometry(), QRect(0, 0, 550, 450));
  EXPECT_TRUE(Prompts::Recorded().empty());

  frame.reset();
  EXPECT_TRUE(first.isNull());
  EXPECT_TRUE(CustFrm.isNull());
  EXPECT_TRUE(Quotation.isNull());
}

TEST_F(MainFrmDataTest, WithoutADatabaseTheWindowFailsAndNoFileIsMade) {
  frame->Ncustomer->Action()->trigger();
  EXPECT_TRUE(Children().isEmpty());
  ASSERT_EQ(Prompts::Recorded().size(), 1u);
  EXPECT_EQ(Prompts::Recorded()[0].kind, ui::Prompt::Kind::Error);
  EXPECT_FALSE(QFile::exists("data.mdb"));
  EXPECT_TRUE(frame->isVisible());
}

TEST_F(MainFrmDataTest, CancelOnTheFramesQuestionClosesNoWindow) {
  store::CreateDemoDatabase("data.mdb");
  frame->Nquotation->Action()->trigger();
  QPointer<TQuotation> untouched = Quotation;
  frame->Ncustomer->Action()->trigger();
  QPointer<TCustFrm> typed = CustFrm;
  typed->ToolBar1->Action(ui::RecordToolBar::Edit)->trigger();
  TypeText(typed->Panel2->DBEdit2, "x");
  Prompts::SetResponder([](const ui::Prompt&) { return ui::Answer::Cancel; });
  EXPECT_FALSE(frame->close());
  DeleteClosedWindows();
  ASSERT_EQ(Prompts::Recorded().size(), 1u);
  EXPECT_EQ(Prompts::Recorded()[0].kind, ui::Prompt::Kind::Question);
  EXPECT_FALSE(untouched.isNull());
  EXPECT_FALSE(typed.isNull());
  EXPECT_EQ(Children().size(), 2);
}

TEST_F(MainFrmDataTest, ANewCustomerWindowTakesTypingInItsFirstBox) {
  store::CreateDemoDatabase("data.mdb");
  QApplication::setActiveWindow(frame.get());
  frame->Ncustomer->Action()->trigger();
  ASSERT_FALSE(CustFrm.isNull());
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr) << "no control has the focus";
  QTest::keyClicks(focus, "S01");
  EXPECT_EQ(CustFrm->Panel1->edtname->text(), "S01");
}

TEST_F(MainFrmTest, AWindowThatCannotOpenIsReportedAndTheFrameStays) {
  TMainFrm::SetChildFactory(TMainFrm::Child::Customer, [](TMainFrm&) -> QWidget* {
    throw store::StoreError("unable to open database file");
  });
  frame->Ncustomer->Action()->trigger();
  EXPECT_TRUE(Children().isEmpty());
  ASSERT_EQ(Prompts::Recorded().size(), 1u);
  EXPECT_EQ(Prompts::Recorded()[0].kind, ui::Prompt::Kind::Error);
  EXPECT_EQ(Prompts::Recorded()[0].text, "unable to open database file.");
  EXPECT_TRUE(frame->isVisible());
}

TEST_F(MainFrmTest, ActiveChildMenuIsMergedByGroupIndex) {
  TMainFrm::SetChildFactory(TMainFrm::Child::Customer, [](TMainFrm&) {
    LastChild = new MenuChild;
    return LastChild.data();
  });
  TMainFrm::SetChildFactory(TMainFrm::Child::Quotation, [](TMainFrm&) { return new QWidget; });
  frame->Ncustomer->Action()->trigger();
  QMdiSubWindow* withMenu = frame->MdiArea->activeSubWindow();
  ASSERT_NE(withMenu, nullptr);
  EXPECT_EQ(BarCaptions(), kMergedBar);
  QAction* edit = frame->menuBar()->actions()[1];
  ASSERT_NE(edit->menu(), nullptr);
  EXPECT_EQ(edit->menu()->actions()[0]->text(), "新增");

  // A child without a menu leaves the frame's own bar.
  frame->Nquotation->Action()->trigger();
  EXPECT_EQ(BarCaptions(), kFrameBar);
  frame->MdiArea->setActiveSubWindow(withMenu);
  EXPECT_EQ(BarCaptions(), kMergedBar);

  // Closing the merging child restores the bar.
  withMenu->close();
  DeleteClosedWindows();
  EXPECT_TRUE(LastChild.isNull());
  EXPECT_EQ(BarCaptions(), kFrameBar);
}

// A window holding unsaved changes that the user keeps.
class StubbornChild : public QWidget {
 public:
  bool refuse = true;
  int asked = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++asked;
    refuse ? event->ignore() : event->accept();
  }
};

TEST_F(MainFrmTest, ClosingTheFrameAsksEveryChildFirst) {
  QPointer<StubbornChild> stubborn;
  QPointer<QWidget> plain;
  TMainFrm::SetChildFactory(TMainFrm::Child::Customer,
                            [&](TMainFrm&) { return stubborn = new StubbornChild; });
  TMainFrm::SetChildFactory(TMainFrm::Child::Quotation, [&](TMainFrm&) { return plain = new QWidget; });
  frame->Ncustomer->Action()->trigger();
  frame->Nquotation->Action()->trigger();
  EXPECT_FALSE(frame->close());
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(stubborn->asked, 1);
  DeleteClosedWindows();
  EXPECT_FALSE(plain.isNull()) << "one window refusing keeps every window open";
  ASSERT_FALSE(stubborn.isNull());

  stubborn->refuse = false;
  EXPECT_TRUE(frame->close());
  EXPECT_FALSE(frame->isVisible());
  DeleteClosedWindows();
  EXPECT_TRUE(stubborn.isNull());
}

TEST_F(MainFrmTest, FrameGoesWithAMergedChildOpen) {
  TMainFrm::SetChildFactory(TMainFrm::Child::Customer, [](TMainFrm&) {
    LastChild = new MenuChild;
    return LastChild.data();
  });
  frame->Ncustomer->Action()->trigger();
  ASSERT_EQ(BarCaptions(), kMergedBar);
  frame.reset();
  EXPECT_TRUE(LastChild.isNull());
}

}  // namespace
