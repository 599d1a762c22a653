#include "ui/menu/MenuStyle.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/menu/Form.h"
#include "ui/menu/OwnerDrawMenu.h"
#include "ui/menu/TCanvas.h"
#include "ui/menu/TMenu.h"
#include "ui/menu/TMenuItem.h"

namespace {

using ui::TMenuItem;

// Measures every item 100 x 20 (separators 100 x 4) and fills what it is
// given with one colour, noting what it was asked to draw.
struct Recorder {
  struct Call {
    TMenuItem* item;
    QRect rect;
    bool selected;
    QPoint origin;
  };
  std::vector<Call> draws;
  int measures = 0;

  static void Measure(void* object, TMenuItem* item, ui::TCanvas&, int& width, int& height) {
    ++static_cast<Recorder*>(object)->measures;
    width = 100;
    height = item->IsLine() ? 4 : 20;
  }
  static void Draw(void* object, TMenuItem* item, ui::TCanvas& canvas, const QRect& rect, bool selected) {
    static_cast<Recorder*>(object)->draws.push_back({item, rect, selected, canvas.Origin()});
    canvas.Brush.Color = ui::RGB(0, 200, 0);
    canvas.FillRect(ui::TRect::From(rect));
  }
};

struct StyleFixture : ::testing::Test {
  QWidget window;
  std::unique_ptr<ui::Form> form = std::make_unique<ui::Form>(&window);
  Recorder recorder;

  TMenuItem* Item(const QString& caption, TMenuItem* parent, bool drawn = true) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(caption);
    parent->Add(item);
    if (drawn) {
      item->OnMeasureItem = {&Recorder::Measure, &recorder};
      item->OnDrawItem = {&Recorder::Draw, &recorder};
    }
    return item;
  }
  QImage Show(QMenu* menu) {
    menu->popup(QPoint(50, 50));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
    QImage shot = menu->grab().toImage();
    return shot;
  }
};

TEST_F(StyleFixture, PopupItemsAreMeasuredAndDrawnByTheirEvents) {
  auto* popup = new ui::TPopupMenu(form.get());
  TMenuItem* a = Item("a", popup->Items());
  TMenuItem* line = Item("-", popup->Items());
  TMenuItem* b = Item("b", popup->Items());
  popup->SetOwnerDraw(true);
  QMenu* menu = popup->Menu();
  const QImage shot = Show(menu);

  const int border = ui::MenuStyle::kPopupBorder;
  EXPECT_EQ(menu->actionGeometry(a->Action()),
            QRect(border, border, 100 + ui::MenuStyle::kCheckMarkWidth, 20));
  EXPECT_EQ(menu->actionGeometry(line->Action()).height(), 4);
  EXPECT_EQ(menu->actionGeometry(b->Action()).top(), border + 24);
  EXPECT_EQ(menu->height(), 2 * border + 44);
  EXPECT_EQ(menu->width(), 2 * border + 100 + ui::MenuStyle::kCheckMarkWidth);

  ASSERT_GE(recorder.draws.size(), 3u);
  const Recorder::Call& first = recorder.draws[0];
  EXPECT_EQ(first.item, a);
  EXPECT_EQ(first.rect.topLeft(), QPoint(0, 0));  // client coordinates
  EXPECT_EQ(first.origin, QPoint(0, 0));
  EXPECT_EQ(recorder.draws[2].rect.top(), 24);
  EXPECT_EQ(shot.pixelColor(border + 5, border + 30), QColor(0, 200, 0));
  menu->hide();
}

TEST_F(StyleFixture, ShortcutsAddNoWidthToWhatTheItemsMeasured) {
  // The measure event accounts for the shortcut; the pop-up adds nothing of its own.
  auto* popup = new ui::TPopupMenu(form.get());
  TMenuItem* a = Item("a", popup->Items());
  a->SetShortCut(QKeySequence("Ctrl+Shift+F12"));
  Item("b", popup->Items());
  popup->SetOwnerDraw(true);
  QMenu* menu = popup->Menu();
  Show(menu);
  EXPECT_EQ(menu->actionGeometry(a->Action()).width(), 100 + ui::MenuStyle::kCheckMarkWidth);
  menu->hide();

  auto* bar = new ui::TMainMenu(form.get());
  TMenuItem* file = Item("F", bar->Items());
  TMenuItem* child = Item("c", file);
  child->SetShortCut(QKeySequence("Ctrl+Shift+F12"));
  bar->SetOwnerDraw(true);
  Show(file->SubMenu());
  EXPECT_EQ(file->SubMenu()->actionGeometry(child->Action()).width(), 100 + ui::MenuStyle::kCheckMarkWidth);
  file->SubMenu()->hide();
}

TEST_F(StyleFixture, LeadingTrailingAndDoubledSeparatorsKeepTheirPlace) {
  auto* popup = new ui::TPopupMenu(form.get());
  TMenuItem* first = Item("-", popup->Items());
  Item("a", popup->Items());
  Item("-", popup->Items());
  TMenuItem* second = Item("-", popup->Items());
  TMenuItem* last = Item("-", popup->Items());
  popup->SetOwnerDraw(true);
  QMenu* menu = popup->Menu();
  Show(menu);
  const int border = ui::MenuStyle::kPopupBorder;
  EXPECT_EQ(menu->actionGeometry(first->Action()),
            QRect(border, border, 100 + ui::MenuStyle::kCheckMarkWidth, 4));
  EXPECT_EQ(menu->actionGeometry(second->Action()).top(), border + 28);
  EXPECT_EQ(menu->actionGeometry(last->Action()).top(), border + 32);
  EXPECT_EQ(menu->height(), 2 * border + 36);
  menu->hide();
}

TEST_F(StyleFixture, TheActiveItemIsDrawnSelected) {
  auto* popup = new ui::TPopupMenu(form.get());
  Item("a", popup->Items());
  TMenuItem* b = Item("b", popup->Items());
  popup->SetOwnerDraw(true);
  QMenu* menu = popup->Menu();
  Show(menu);
  menu->setActiveAction(b->Action());
  recorder.draws.clear();
  menu->grab();
  bool sawSelectedB = false, sawSelectedOther = false;
  for (const auto& call : recorder.draws) (call.item == b ? sawSelectedB : sawSelectedOther) |= call.selected;
  EXPECT_TRUE(sawSelectedB);
  EXPECT_FALSE(sawSelectedOther);
  menu->hide();
}

TEST_F(StyleFixture, ItemsWithoutEventsOrOutsideOwnerDrawGetTheStandardLook) {
  auto* popup = new ui::TPopupMenu(form.get());
  Item("a", popup->Items());
  TMenuItem* plain = Item("plain", popup->Items(), false);
  popup->SetOwnerDraw(true);
  const QImage shot = Show(popup->Menu());
  for (const auto& call : recorder.draws) EXPECT_NE(call.item, plain);
  const QRect rect = popup->Menu()->actionGeometry(plain->Action());
  EXPECT_NE(shot.pixelColor(rect.center()), QColor(0, 200, 0));
  popup->Menu()->hide();

  // Owner-draw off: nothing is asked of the items.
  auto* other = new ui::TPopupMenu(form.get());
  Item("x", other->Items());
  recorder.draws.clear();
  recorder.measures = 0;
  Show(other->Menu());
  EXPECT_TRUE(recorder.draws.empty());
  EXPECT_EQ(recorder.measures, 0);
  other->Menu()->hide();
}

TEST_F(StyleFixture, SubMenusOfAnOwnerDrawnBarAreDrawnToo) {
  auto* menu = new ui::TMainMenu(form.get());
  TMenuItem* file = Item("檔案(&F)", menu->Items());
  TMenuItem* child = Item("登入", file);
  menu->SetOwnerDraw(true);
  QMenuBar* bar = menu->MenuBar();
  bar->resize(400, 30);
  bar->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(bar));
  EXPECT_EQ(bar->actionGeometry(file->Action()).size(), QSize(100 + ui::MenuStyle::kCheckMarkWidth, 20));
  Show(file->SubMenu());
  bool sawChild = false;
  for (const auto& call : recorder.draws) sawChild |= call.item == child;
  EXPECT_TRUE(sawChild);
  file->SubMenu()->hide();
}

TEST_F(StyleFixture, BorderRingShowsTheFramePicture) {
  auto* popup = new ui::TPopupMenu(form.get());
  Item("a", popup->Items());
  popup->SetOwnerDraw(true);
  auto* menu = static_cast<ui::OwnerDrawMenu*>(popup->Menu());
  Show(menu);
  QImage frame(menu->size(), QImage::Format_RGB32);
  frame.fill(QColor(255, 0, 0));
  menu->SetFrame(frame);
  const QImage shot = menu->grab().toImage();
  EXPECT_EQ(shot.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(menu->width() - 1, menu->height() - 1), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(ui::MenuStyle::kPopupBorder + 5, ui::MenuStyle::kPopupBorder + 5),
            QColor(0, 200, 0));
  menu->hide();
}

}  // namespace
