// The windows inside the frame worked from the keyboard: a window opened takes
// the keys at once, Ctrl+W closes the quotation window through its question,
// Tab visits every control and wraps, Escape closes the lookup window, and the
// close box asks its question even with a bad date in the focused box.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <memory>

#include "QuotationFixture.h"
#include "ui/app/RecordToolBar.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"
#include "ui/data/DBNavigator.h"
#include "ui/menu/TMenuItem.h"
#include "windows/CustFrmEditPanel.h"
#include "windows/CustomFindUnt.h"
#include "windows/CustomUnt.h"
#include "windows/MainUnt.h"

namespace {

using K = ui::Prompt::Kind;

class FrameKeys : public QuotationFixture {
 protected:
  void SetUp() override {
    QuotationFixture::SetUp();
    frame = std::make_unique<TMainFrm>();
    MainFrm = frame.get();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    QApplication::setActiveWindow(frame.get());
  }
  void TearDown() override {
    frame.reset();
    QuotationFixture::TearDown();
  }

  TQuotation* OpenQuotation() {
    frame->Nquotation->Action()->trigger();
    return Quotation.data();
  }
  TCustFrm* OpenCustomers() {
    frame->Ncustomer->Action()->trigger();
    return CustFrm.data();
  }

  static QWidget* Focus() { return QApplication::focusWidget(); }
  // Keys pressed where the focus is, as a user would.
  static void Press(const QKeySequence& keys) {
    ASSERT_NE(Focus(), nullptr);
    QTest::keySequence(Focus(), keys);
  }
  static std::vector<K> TakeKinds() {
    std::vector<K> kinds;
    for (const ui::Prompt& prompt : Shown()) kinds.push_back(prompt.kind);
    ui::Prompts::ClearRecorded();
    return kinds;
  }
  // The window the keys go to (a window owned by the frame counts as active with it).
  static bool BecomesActive(QWidget* window) {
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 2000);
  }
  static std::string Names(const std::vector<QWidget*>& widgets) {
    QStringList names;
    for (const QWidget* widget : widgets)
      names << widget->objectName() + ":" + widget->metaObject()->className();
    return names.join(' ').toStdString();
  }
  static void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  // The control among `controls` holding the focus (a pick list's box counts as the pick list).
  static QWidget* Holder(const std::vector<QWidget*>& controls) {
    for (QWidget* control : controls)
      if (Focus() == control || control->isAncestorOf(Focus())) return control;
    return Focus();
  }

  // The controls Tab reaches from the focus until it is back, each once
  // however many presses it takes (a grid's cells).
  static std::vector<QWidget*> Walk(const std::vector<QWidget*>& controls, bool forward) {
    QWidget* start = Holder(controls);
    std::vector<QWidget*> visited{start};
    for (int press = 0; press < 200; ++press) {
      QTest::keyClick(Focus(), Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
      if (Holder(controls) == start) return visited;
      if (Holder(controls) != visited.back()) visited.push_back(Holder(controls));
    }
    ADD_FAILURE() << "Tab never came back to where it started";
    return visited;
  }

  std::unique_ptr<TMainFrm> frame;
};

TEST_F(FrameKeys, AWindowOpenedAfterAnotherTakesTheKeysAtOnce) {
  OpenCustomers();
  TQuotation* quotation = OpenQuotation();
  ASSERT_NE(quotation, nullptr);
  ASSERT_NE(Focus(), nullptr);
  EXPECT_TRUE(quotation->isAncestorOf(Focus())) << Focus()->metaObject()->className();
  Press(QKeySequence::New);
  EXPECT_EQ(quotation->AddFlag, 1);
  Press(Qt::ALT | Qt::Key_1);
  QTest::keyClicks(Focus(), "Q1");
  EXPECT_EQ(quotation->EdtQuotationNumber->text(), "Q1");

  // The lookup window opened from it takes them too, and Escape closes it.
  Press(Qt::CTRL | Qt::Key_L);
  QPointer<TCustmoterFindFrm> lookup = CustmoterFindFrm;
  ASSERT_FALSE(lookup.isNull());
  ASSERT_TRUE(BecomesActive(lookup));
  EXPECT_EQ(Focus(), static_cast<QWidget*>(lookup->DBGrid1));
  Press(Qt::Key_Escape);
  EXPECT_FALSE(lookup->isVisible());
  EXPECT_TRUE(TakeKinds().empty());
}

// An Escape that takes back a typed customer is the grid's; only the next one closes.
TEST_F(FrameKeys, EscapeInTheLookupFirstTakesBackTheTypedRow) {
  TQuotation* quotation = OpenQuotation();
  Press(Qt::CTRL | Qt::Key_L);
  TCustmoterFindFrm* lookup = CustmoterFindFrm;
  ASSERT_TRUE(BecomesActive(lookup));
  QTest::keyClick(Focus(), Qt::Key_Insert);
  ASSERT_EQ(lookup->ADOQuery1.State(), store::DataSetState::Insert);
  Press(Qt::Key_Escape);
  EXPECT_EQ(lookup->ADOQuery1.State(), store::DataSetState::Browse);
  EXPECT_TRUE(lookup->isVisible());
  Press(Qt::Key_Escape);
  EXPECT_FALSE(lookup->isVisible());
  EXPECT_EQ(lookup->parent(), quotation);
}

TEST_F(FrameKeys, CtrlWClosesTheQuotationWindowThroughItsQuestion) {
  QPointer<TQuotation> quotation = OpenQuotation();
  Press(QKeySequence::New);
  Type(quotation->DBEdit3, "Q77");
  Answer({ui::Answer::Cancel});
  Press(Qt::CTRL | Qt::Key_W);
  EXPECT_EQ(TakeKinds(), std::vector<K>{K::Question});
  DeleteClosedWindows();
  ASSERT_FALSE(quotation.isNull());
  Answer({ui::Answer::No});
  Press(Qt::CTRL | Qt::Key_W);
  EXPECT_EQ(TakeKinds(), std::vector<K>{K::Question});
  DeleteClosedWindows();
  EXPECT_TRUE(quotation.isNull());
  EXPECT_TRUE(frame->MdiArea->subWindowList().isEmpty());
}

// Before New the header boxes are locked; after it they are all open: either
// way each press of Tab reaches the next control and Shift+Tab walks back.
TEST_F(FrameKeys, TabAndShiftTabVisitEveryControlOfTheQuotationWindowAndWrap) {
  TQuotation& w = *OpenQuotation();
  QTabBar* tabs = w.PageControl1->tabBar();
  const std::vector<QWidget*> header = {
      w.DBEdit1,     w.BtnCustNoFind, w.DBEdit3, w.DBComboBox5, w.DBComboBox1, w.DBComboBox2, w.DBComboBox3,
      w.DBComboBox4, w.DBEdit4,       w.DBEdit5, w.DBEdit6,     w.DBEdit7,     w.DBEdit2};
  std::vector<QWidget*> all{tabs};
  all.insert(all.end(), header.begin(), header.end());
  all.push_back(w.DBGrid3);
  const std::vector<QWidget*> locked = {tabs, w.BtnCustNoFind, w.DBEdit2, w.DBGrid3};
  const std::vector<QWidget*>* const states[] = {&locked, &all};
  for (const std::vector<QWidget*>* expected : states) {
    if (expected == &all) Press(QKeySequence::New);
    tabs->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Walk(all, true), *expected) << "Tab, " << expected->size() << " controls";
    tabs->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> backward = Walk(all, false);
    ASSERT_FALSE(backward.empty());
    std::reverse(backward.begin() + 1, backward.end());
    EXPECT_EQ(backward, *expected) << "Shift+Tab, " << expected->size() << " controls";
  }
}

// With lines in the grid Tab walks its cells, leaves it for the navigator's
// buttons (those enabled once the walk has reached the last line) and comes
// back round; Shift+Tab takes the same way back.
TEST_F(FrameKeys, TabLeavesTheLineGridForTheNavigatorAndComesRound) {
  TQuotation& w = *OpenQuotation();
  Press(Qt::ALT | Qt::Key_1);
  QTest::keyClicks(Focus(), "Q1");
  Press(QKeySequence::Find);
  Press(Qt::ALT | Qt::Key_2);
  ASSERT_GT(w.ADODataSetDilate.RecordCount(), 1);
  std::vector<QWidget*> controls{w.PageControl1->tabBar(), w.BtnCustNoFind, w.DBEdit2, w.DBGrid3};
  const QList<QToolButton*> buttons = w.DBNavigator1->findChildren<QToolButton*>();
  controls.insert(controls.end(), buttons.begin(), buttons.end());
  w.PageControl1->tabBar()->setFocus(Qt::TabFocusReason);
  const std::vector<QWidget*> forward = Walk(controls, true);
  EXPECT_EQ(w.ADODataSetDilate.RecNo(), w.ADODataSetDilate.RecordCount() - 1)
      << "Tab went through every line";
  std::vector<QWidget*> expected(controls.begin(), controls.begin() + 4);
  for (QToolButton* button : buttons)
    if (button->isEnabled()) expected.push_back(button);
  EXPECT_EQ(forward, expected) << Names(forward);
  w.PageControl1->tabBar()->setFocus(Qt::TabFocusReason);
  std::vector<QWidget*> backward = Walk(controls, false);
  ASSERT_FALSE(backward.empty());
  std::reverse(backward.begin() + 1, backward.end());
  EXPECT_EQ(backward, expected) << Names(backward);
}

// The rectangle of a sub-window's close box, where a user clicks it.
QPoint CloseBoxCenter(QMdiSubWindow* window) {
  QStyleOptionTitleBar option;
  option.initFrom(window);
  option.subControls = QStyle::SC_All;
  option.titleBarFlags = window->windowFlags();
  option.titleBarState = window->windowState();
  option.rect =
      QRect(0, 0, window->width(), window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, window));
  return window->style()
      ->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarCloseButton, window)
      .center();
}

void ClickCloseBox(QMdiSubWindow* window) {
  const QPoint at = CloseBoxCenter(window);
  QTest::mouseMove(window, at);
  QTest::mouseClick(window, Qt::LeftButton, {}, at);
}

// The close box asks as Exit does: the question first, the date's error only
// when Yes tries to save it, and No lets the window go.
TEST_F(FrameKeys, TheCloseBoxAsksWithABadDateInTheFocusedBox) {
  QPointer<TCustFrm> customers = OpenCustomers();
  auto* holder = qobject_cast<QMdiSubWindow*>(customers->parentWidget());
  ASSERT_NE(holder, nullptr);
  customers->ToolBar1->Action(ui::RecordToolBar::Edit)->trigger();
  ui::DBEdit* date = customers->Panel2->DBEdit10;
  Type(date, "x");
  ASSERT_TRUE(date->hasFocus());

  Answer({ui::Answer::Cancel});
  ClickCloseBox(holder);
  EXPECT_EQ(TakeKinds(), std::vector<K>{K::Question});
  EXPECT_TRUE(date->hasFocus());
  Answer({ui::Answer::Yes});
  ClickCloseBox(holder);
  EXPECT_EQ(TakeKinds(), (std::vector<K>{K::Question, K::Error}));
  DeleteClosedWindows();
  ASSERT_FALSE(customers.isNull());
  EXPECT_EQ(date->text().right(1), "x");

  Answer({ui::Answer::No});
  ClickCloseBox(holder);
  EXPECT_EQ(TakeKinds(), std::vector<K>{K::Question});
  DeleteClosedWindows();
  EXPECT_TRUE(customers.isNull());
}

}  // namespace
