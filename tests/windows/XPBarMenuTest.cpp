#include "windows/XPBarMenu.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <memory>

#include "ui/menu/ColorContrast.h"
#include "ui/menu/Form.h"
#include "ui/menu/MenuStyle.h"
#include "ui/menu/OwnerDrawMenu.h"
#include "ui/menu/SysColors.h"
#include "ui/menu/TImageList.h"
#include "ui/menu/TMenu.h"

namespace {

using ui::RGB;
using ui::TCanvas;
using ui::TColor;
using ui::TMenuItem;

constexpr TColor kBtnFace = RGB(212, 208, 200);
constexpr TColor kMenu = RGB(212, 208, 200);
constexpr TColor kHighlight = RGB(10, 36, 106);
constexpr TColor kBtnShadow = RGB(128, 128, 128);

void AppHandler(void*, TMenuItem*, TCanvas&, const QRect&, bool) {}
void AppMeasure(void*, TMenuItem*, TCanvas&, int&, int&) {}

struct XPBarMenuFixture : ::testing::Test {
  QWidget window;
  std::unique_ptr<ui::Form> form;
  ui::TMainMenu* menu = nullptr;
  TMenuItem* file = nullptr;
  TXPBarMenu* painter = nullptr;
  QImage image{240, 400, QImage::Format_RGB32};
  TCanvas canvas{&image};

  void SetUp() override {
    ui::SysColors::UseTable(ui::SysColors::Classic());
    window.setWindowTitle("樣品報價系統");
    form = std::make_unique<ui::Form>(&window);
    menu = new ui::TMainMenu(form.get());
    menu->SetName("MainMenu1");
    form->SetMenu(menu);
    file = Item("檔案(&F)", menu->Items());
    image.fill(Qt::white);
  }
  void TearDown() override {
    form.reset();
    ui::SysColors::UsePalette();
  }

  TMenuItem* Item(const QString& caption, TMenuItem* parent) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  TXPBarMenu* Painter() {
    painter = new TXPBarMenu(form.get());
    return painter;
  }
  TColor At(int x, int y) const { return canvas.Pixel(x, y); }
  // The gradient's step in a column, as the column rules give it.
  static int Step(int col, int left, int iconWidth) {
    int step = 0;
    for (int c = 0; c <= col; ++c) step = std::min(step + (left < c && c < left + iconWidth + 5 ? 3 : 1), 96);
    return step;
  }
};

// Construction and properties

TEST_F(XPBarMenuFixture, OwnerThatIsNotAFormFailsWithTheTypecastError) {
  ui::Component notAForm(nullptr);
  try {
    TXPBarMenu bad(&notAForm);
    FAIL() << "constructed";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Invalid class typecast");
  }
  EXPECT_EQ(notAForm.ComponentCount(), 0);
}

TEST_F(XPBarMenuFixture, StartsWithTheInitialValuesAndHooksTheFormsMenus) {
  Painter();
  EXPECT_EQ(painter->BarCaption(), "樣品報價系統");
  EXPECT_EQ(painter->BarFont().Color, ui::clWhite);
  EXPECT_EQ(painter->BarFont().Name, painter->Font().Name);
  EXPECT_EQ(painter->Font().Color, ui::clMenuText);
  EXPECT_EQ(painter->BarWidth(), 22);
  EXPECT_EQ(painter->BarColorStart(), ui::clBlue);
  EXPECT_EQ(painter->BarColorEnd(), ui::clBlack);
  EXPECT_EQ(painter->BarColorStep(), 100);
  EXPECT_EQ(painter->BarStyle(), TXPBarMenu::bsText);
  EXPECT_EQ(painter->SelectBorderColor(), ui::clActiveBorder);
  EXPECT_EQ(painter->CheckedColor(), ui::clHighlight);
  EXPECT_EQ(painter->IconWidth(), 24);
  EXPECT_TRUE(painter->BarStretch() && painter->Gradient() && painter->FlatMenu() && painter->Active());
  EXPECT_FALSE(painter->Frame3D() || painter->OverrideOwnerDraw());
  EXPECT_TRUE(painter->BarBitmap().Empty());
  EXPECT_TRUE(menu->OwnerDraw());
  EXPECT_EQ(file->OnDrawItem.code, &TXPBarMenu::DrawItemThunk);
  EXPECT_EQ(file->OnMeasureItem.object, painter);
}

TEST_F(XPBarMenuFixture, BarColorStepIsClampedToOneTo255) {
  Painter();
  painter->SetBarColorStep(0);
  EXPECT_EQ(painter->BarColorStep(), 1);
  painter->SetBarColorStep(-5);
  EXPECT_EQ(painter->BarColorStep(), 1);
  painter->SetBarColorStep(300);
  EXPECT_EQ(painter->BarColorStep(), 255);
  painter->SetBarColorStep(255);
  EXPECT_EQ(painter->BarColorStep(), 255);
}

TEST_F(XPBarMenuFixture, WindowLookSetsCaptionFontsAndColours) {
  ApplyWindowMenuLook(*Painter());
  EXPECT_EQ(painter->BarCaption(), "ZQ");
  EXPECT_EQ(painter->BarFont().Name, "Tahoma");
  EXPECT_EQ(painter->BarFont().Height, -11);
  EXPECT_EQ(painter->BarFont().Charset, ui::GB2312_CHARSET);
  EXPECT_EQ(painter->BarFont().Color, ui::clWhite);
  EXPECT_EQ(painter->Font().Color, ui::clMenuText);
  EXPECT_EQ(painter->Font().Charset, ui::GB2312_CHARSET);
  EXPECT_TRUE(painter->Active());
}

// Colour functions

TEST_F(XPBarMenuFixture, LightenRoundsInExtendedPrecisionHalvesToEven) {
  Painter();
  EXPECT_EQ(painter->Lighten(canvas, ui::clBlack, 50), RGB(128, 128, 128));   // 127.5 -> 128
  EXPECT_EQ(painter->Lighten(canvas, RGB(1, 1, 1), 50), RGB(128, 128, 128));  // 1 + 127
  EXPECT_EQ(painter->Lighten(canvas, RGB(10, 20, 30), 150), ui::clWhite);
  EXPECT_EQ(painter->Lighten(canvas, RGB(65, 65, 65), 15), RGB(94, 94, 94));
  EXPECT_EQ(painter->Lighten(canvas, RGB(200, 100, 0), 0), RGB(200, 100, 0));
  // System colours resolve first.
  EXPECT_EQ(painter->Lighten(canvas, ui::clHighlight, 100), ui::clWhite);
  EXPECT_EQ(painter->Lighten(canvas, ui::clBtnFace, 16), RGB(219, 216, 209));
}

TEST_F(XPBarMenuFixture, DarkenMovesGreenTwoLessAndClamps) {
  Painter();
  EXPECT_EQ(painter->Darken(canvas, RGB(100, 100, 100), 10), RGB(90, 92, 90));
  EXPECT_EQ(painter->Darken(canvas, RGB(10, 10, 10), 30), ui::clBlack);
  EXPECT_EQ(painter->Darken(canvas, RGB(100, 100, 230), -40), RGB(140, 142, 255));
  EXPECT_EQ(painter->Darken(canvas, ui::clBtnFace, 90), RGB(122, 120, 110));
}

TEST_F(XPBarMenuFixture, GrayedAndContrastText) {
  Painter();
  EXPECT_EQ(painter->Grayed(canvas, RGB(200, 200, 200), 70), RGB(240, 240, 240));
  EXPECT_EQ(painter->Grayed(canvas, RGB(255, 0, 0), 70), RGB(155, 155, 155));
  EXPECT_EQ(painter->Grayed(canvas, RGB(30, 30, 30), 300), RGB(130, 130, 130));  // percent capped at 100
  EXPECT_EQ(painter->ContrastTextColor(canvas, ui::clWhite), painter->Font().Color);
  EXPECT_EQ(painter->ContrastTextColor(canvas, RGB(0, 0, 128)), RGB(230, 230, 242));
  EXPECT_EQ(painter->ContrastTextColor(canvas, RGB(0, 201, 0)), painter->Font().Color);
}

TEST_F(XPBarMenuFixture, ColoursGoThroughTheDevicesNearestColour) {
  Painter();
  canvas.SetBitsPerPixel(8);
  // 128 grey is in the static palette; a pale blue is not and snaps to one that is.
  EXPECT_EQ(painter->Lighten(canvas, ui::clBlack, 50), RGB(128, 128, 128));
  EXPECT_EQ(painter->Lighten(canvas, RGB(0, 0, 200), 10), RGB(0, 0, 255));
}

TEST_F(XPBarMenuFixture, PaletteFollowsSystemColoursAndDepth) {
  Painter();
  painter->PrepareColors(canvas);
  const auto& p = painter->Paint();
  EXPECT_TRUE(p.HiColor);
  EXPECT_EQ(p.PaintIconBackColor, RGB(219, 216, 209));
  EXPECT_EQ(p.PaintFrameColor, RGB(122, 120, 110));
  EXPECT_EQ(p.PaintShadowColor, RGB(136, 134, 124));
  EXPECT_EQ(p.PaintSelectBorderColor, ui::clHighlight);
  EXPECT_EQ(p.PaintMenuBarColor, ui::clMenu);
  EXPECT_EQ(p.PaintSeparatorColor, RGB(160, 160, 160));
  EXPECT_EQ(p.PaintSelectFontColor, ui::clMenuText);

  canvas.SetBitsPerPixel(8);
  painter->PrepareColors(canvas);
  EXPECT_FALSE(p.HiColor);
  EXPECT_EQ(p.PaintColor, ui::clWhite);
  EXPECT_EQ(p.PaintIconBackColor, ui::clBtnFace);
  EXPECT_EQ(p.PaintFrameColor, ui::clBtnShadow);
  EXPECT_EQ(p.PaintMenuBarColor, ui::clBtnFace);

  painter->SetUseSystemColors(false);
  painter->SetColor(RGB(1, 2, 3));
  canvas.SetBitsPerPixel(0);
  painter->PrepareColors(canvas);
  EXPECT_EQ(p.PaintColor, RGB(1, 2, 3));
  EXPECT_EQ(p.PaintSelectBorderColor, ui::clActiveBorder);
  EXPECT_EQ(p.PaintCheckFillSelColor, painter->Lighten(canvas, ui::clHighlight, 50));
}

// Hooking

TEST_F(XPBarMenuFixture, ApplicationHandlersStayUnlessOverridden) {
  TMenuItem* own = Item("own", file);
  own->OnDrawItem = {&AppHandler, nullptr};
  Painter();
  EXPECT_EQ(own->OnDrawItem.code, &AppHandler);
  EXPECT_EQ(own->OnMeasureItem.code, &TXPBarMenu::MeasureItemThunk);  // none of its own

  painter->SetOverrideOwnerDraw(true);
  EXPECT_EQ(own->OnDrawItem.code, &TXPBarMenu::DrawItemThunk);

  // Off removes the painter's handlers only.
  TMenuItem* app = Item("app", file);
  app->OnMeasureItem = {&AppMeasure, nullptr};
  painter->SetOverrideOwnerDraw(false);
  app->OnDrawItem = {&AppHandler, nullptr};
  painter->SetActive(false);
  EXPECT_EQ(app->OnDrawItem.code, &AppHandler);
  EXPECT_EQ(app->OnMeasureItem.code, &AppMeasure);
  EXPECT_FALSE(own->OnDrawItem.Assigned());
  EXPECT_FALSE(file->OnMeasureItem.Assigned());
  EXPECT_FALSE(menu->OwnerDraw());
}

TEST_F(XPBarMenuFixture, UnhookingGoesByCodeSoAnotherPaintersHandlersGoToo) {
  Painter();
  TXPBarMenu other(nullptr);
  TMenuItem* item = Item("x", file);
  item->OnDrawItem = {&TXPBarMenu::DrawItemThunk, &other};
  painter->SetActive(false);
  EXPECT_FALSE(item->OnDrawItem.Assigned());
}

TEST_F(XPBarMenuFixture, AutoDetectTurnsThePainterOnWhenAnItemJoins) {
  Painter();
  painter->SetActive(false);
  auto* late = new TMenuItem(form.get());
  EXPECT_TRUE(painter->Active());
  file->Add(late);
  EXPECT_FALSE(late->OnDrawItem.Assigned());  // joined before it had a place in the tree
  painter->RehookBranch(file);
  EXPECT_EQ(late->OnDrawItem.code, &TXPBarMenu::DrawItemThunk);

  painter->SetAutoDetect(false);
  painter->SetActive(false);
  new TMenuItem(form.get());
  EXPECT_FALSE(painter->Active());
}

TEST_F(XPBarMenuFixture, PopupMenusOfTheFormAreHookedAndMenusWithoutItemsKeepOwnerDraw) {
  auto* popup = new ui::TPopupMenu(form.get());
  TMenuItem* a = Item("新增", popup->Items());
  auto* empty = new ui::TPopupMenu(form.get());
  Painter();
  EXPECT_TRUE(popup->OwnerDraw());
  EXPECT_EQ(a->OnDrawItem.object, painter);
  EXPECT_FALSE(empty->OwnerDraw());
  delete painter;  // unhooks on the way out
  EXPECT_FALSE(a->OnDrawItem.Assigned());
  EXPECT_FALSE(popup->OwnerDraw());
}

TEST_F(XPBarMenuFixture, InactiveHandlersDoNothing) {
  Painter();
  TMenuItem* item = Item("x", file);
  painter->SetActive(false);
  int width = 7, height = 9;
  painter->MeasureItemHandler(item, canvas, width, height);
  EXPECT_EQ(width, 7);
  EXPECT_EQ(height, 9);
  painter->DrawItemHandler(item, canvas, QRect(0, 0, 100, 20), false);
  EXPECT_EQ(At(5, 5), ui::clWhite);
}

// Measuring

TEST_F(XPBarMenuFixture, HeightIsTextHeightPlusThreeQuartersRoundedHalfToEven) {
  Painter();
  TMenuItem* item = Item("Item", file);
  int found = 0;
  for (int pixels = 6; pixels <= 30; ++pixels) {
    ui::TFont font = painter->Font();
    font.Height = -pixels;
    painter->SetFont(font);
    canvas.Font = font;
    const int th = canvas.TextHeight("Item");
    const int expected = th == 13 ? 23 : th == 14 ? 24 : th == 18 ? 32 : -1;
    if (expected < 0) continue;
    ++found;
    int width = 0, height = 0;
    painter->MeasureItemHandler(item, canvas, width, height);
    EXPECT_EQ(height, expected) << "text height " << th;
  }
  EXPECT_GT(found, 0) << "no font size gave a text height of 13, 14 or 18";
}

TEST_F(XPBarMenuFixture, WidthsWithBarShortcutAndForMenuBarItems) {
  Painter();
  painter->SetBarCaption("ZQ");
  TMenuItem* item = Item("登入", file);
  item->SetShortCut(QKeySequence("Ctrl+L"));
  canvas.Font = painter->Font();
  int width = 0, height = 0;
  painter->MeasureItemHandler(item, canvas, width, height);
  EXPECT_EQ(width, canvas.TextWidth("登入" + item->ShortCutText() + "WWW") + 24 + 10 + 22 + 2);

  width = height = 0;
  painter->MeasureItemHandler(file, canvas, width, height);
  EXPECT_EQ(width, canvas.TextWidth("檔案(&F)") - canvas.TextWidth("&") + 10);

  TMenuItem* line = Item("-", file);
  width = 0;
  height = 50;
  painter->MeasureItemHandler(line, canvas, width, height);
  EXPECT_EQ(height, 4);
  EXPECT_EQ(width, 24 + 10 + 22 + 2);

  painter->SetItemHeight(30);
  painter->MeasureItemHandler(line, canvas, width, height);
  EXPECT_EQ(height, 30);

  // No caption: no bar, no extra width, and ItemHeight does not apply.
  painter->SetBarCaption("");
  width = height = 0;
  painter->MeasureItemHandler(line, canvas, width, height);
  EXPECT_EQ(height, 4);
  EXPECT_EQ(width, 34);
}

TEST_F(XPBarMenuFixture, ListImagesRaiseTheHeightAndReplaceTheIconMinimum) {
  Painter();
  ui::TImageList images(32, 24);
  images.Add(QImage(32, 24, QImage::Format_ARGB32));
  menu->SetImages(&images);
  TMenuItem* item = Item("x", file);
  item->SetImageIndex(0);
  EXPECT_EQ(painter->GetImageSize(item), QSize(32, 24));
  int width = 0, height = 0;
  painter->MeasureItemHandler(item, canvas, width, height);
  EXPECT_GE(height, 28);
  EXPECT_EQ(painter->GetImageSize(Item("y", file)), QSize(24, 0));
  EXPECT_EQ(painter->GetImageSize(file), QSize(0, 0));  // a bar item: no icon minimum
}

// Painting

struct PaintFixture : XPBarMenuFixture {
  TMenuItem* item = nullptr;
  void SetUp() override {
    XPBarMenuFixture::SetUp();
    item = Item("", file);
    Painter();
    painter->SetFlatMenu(false);
  }
  void Paint(TMenuItem* what, QRect rect, bool selected = false) {
    painter->DrawItemHandler(what, canvas, rect, selected);
  }
  TColor IconBack() { return RGB(219, 216, 209); }
};

TEST_F(PaintFixture, ItemGradientStepsPerColumnWithoutBar) {
  painter->SetBarStyle(TXPBarMenu::bsNone);
  Paint(item, QRect(0, 0, 200, 23));
  for (int col = 0; col < 90; ++col)
    ASSERT_EQ(At(col, 0), painter->Lighten(canvas, IconBack(), Step(col, 0, 24))) << "column " << col;
  EXPECT_EQ(Step(0, 0, 24), 1);
  EXPECT_EQ(Step(28, 0, 24), 85);
  EXPECT_EQ(Step(39, 0, 24), 96);
  EXPECT_EQ(At(150, 0), painter->Lighten(canvas, IconBack(), 96));
}

TEST_F(PaintFixture, ItemGradientStartsBehindTheSideBar) {
  Paint(item, QRect(0, 0, 200, 23));
  for (int k = 0; k < 80; ++k)
    ASSERT_EQ(At(22 + k, 0), painter->Lighten(canvas, IconBack(), Step(k, 22, 24))) << "column " << k;
  EXPECT_EQ(Step(22, 22, 24), 23);
  EXPECT_EQ(Step(46, 22, 24), 95);
  EXPECT_EQ(Step(47, 22, 24), 96);
}

TEST_F(PaintFixture, SideBarRunsFrom56To254OverThePopupsHeight) {
  painter->SetBarCaption("ZQ");
  for (int i = 0; i < 9; ++i) Item("Item", file);
  int total = 0;
  for (int i = 0; i < file->Count(); ++i) {
    int w = 0, h = 0;
    painter->MeasureItemHandler(file->Items(i), canvas, w, h);
    total += h;
  }
  ASSERT_LT(total, image.height());
  Paint(file->Items(3), QRect(0, 60, 200, 20));
  EXPECT_EQ(At(1, 1), RGB(0, 0, 56));
  EXPECT_EQ(At(21, 1), RGB(0, 0, 56));
  EXPECT_EQ(At(1, total - 1), RGB(0, 0, 254));
  EXPECT_EQ(At(1, total), ui::clWhite);  // the bar ends with the items
  EXPECT_EQ(At(0, 10), ui::clWhite);     // and starts one column in
  int lastBlue = 0;
  for (int y = 1; y < total; ++y) {
    const TColor c = At(1, y);
    ASSERT_EQ(c & 0xFFFF, 0u) << "row " << y;
    ASSERT_GE(ui::GetBValue(c), lastBlue) << "row " << y;
    lastBlue = ui::GetBValue(c);
  }
  // The caption reads upward from five pixels above the bottom.
  int lightTop = total, lightBottom = 0;
  for (int y = 1; y < total; ++y)
    for (int x = 2; x < 22; ++x)
      if (ui::GetRValue(At(x, y)) > 128) {
        lightTop = std::min(lightTop, y);
        lightBottom = std::max(lightBottom, y);
      }
  EXPECT_LE(lightBottom, total - 4);  // the stretch moves the lower half down by one
  EXPECT_GT(lightBottom, total - 12);
  EXPECT_GT(lightTop, total - 60);
}

TEST_F(PaintFixture, SingleBandBarIsTwiceTheEndLessTheStart) {
  painter->SetBarColorStep(1);
  painter->SetBarCaption("ZQ");
  Paint(item, QRect(0, 0, 200, 23));
  EXPECT_EQ(At(1, 1), RGB(0, 0, 1));
  EXPECT_EQ(At(1, 20), RGB(0, 0, 1));
}

TEST_F(PaintFixture, SeparatorIsOneLineTwoPixelsDown) {
  item->SetCaption("-");
  painter->SetBarStyle(TXPBarMenu::bsNone);
  Paint(item, QRect(0, 10, 200, 4));
  const TColor line = RGB(160, 160, 160);
  EXPECT_EQ(At(0, 12), line);
  EXPECT_EQ(At(100, 12), line);
  EXPECT_EQ(At(199, 12), line);
  EXPECT_NE(At(100, 11), line);
  EXPECT_NE(At(100, 13), line);
}

TEST_F(PaintFixture, CheckBoxWithTickReachingPastItsCorner) {
  painter->SetBarStyle(TXPBarMenu::bsNone);
  item->SetChecked(true);
  Paint(item, QRect(0, 0, 200, 23));
  // Icon column 24 x 24 (the bottom grows by one): the box is (7, 7, 17, 17).
  const TColor frame = kHighlight;
  EXPECT_EQ(At(7, 7), frame);
  EXPECT_EQ(At(16, 16), frame);
  EXPECT_EQ(At(16, 7), frame);
  EXPECT_NE(At(17, 17), frame);
  EXPECT_EQ(At(14, 9), painter->Lighten(canvas, kHighlight, 75));  // the fill
  EXPECT_EQ(At(8, 12), ui::clBlack);
  EXPECT_EQ(At(10, 14), ui::clBlack);
  EXPECT_EQ(At(11, 15), ui::clBlack);
  EXPECT_EQ(At(18, 7), ui::clBlack);  // past the box at the upper right
  EXPECT_NE(At(19, 6), ui::clBlack);  // the end point is left out
}

TEST_F(PaintFixture, CheckedRadioItemIsACircle) {
  painter->SetBarStyle(TXPBarMenu::bsNone);
  item->SetChecked(true);
  item->SetRadioItem(true);
  Paint(item, QRect(0, 0, 200, 23), true);
  EXPECT_EQ(At(12, 12), painter->Lighten(canvas, kHighlight, 50));  // fill, selected
  EXPECT_EQ(At(12, 7), kHighlight);
  EXPECT_NE(At(7, 7), kHighlight);  // no corner
}

TEST_F(PaintFixture, SelectionIsFilledAndFramedOneInsideTopBottomAndRight) {
  painter->SetBarStyle(TXPBarMenu::bsNone);
  painter->SetFlatMenu(true);
  Paint(item, QRect(0, 0, 200, 23), true);
  const TColor fill = painter->Lighten(canvas, kHighlight, 68);
  EXPECT_EQ(At(5, 5), fill);
  EXPECT_EQ(At(0, 1), kHighlight);
  EXPECT_EQ(At(198, 1), kHighlight);
  EXPECT_EQ(At(198, 22), kHighlight);
  EXPECT_EQ(At(100, 22), kHighlight);
  EXPECT_NE(At(199, 5), kHighlight);
  EXPECT_NE(At(5, 0), kHighlight);
  EXPECT_NE(At(5, 23), kHighlight);
}

TEST_F(PaintFixture, Frame3DSelectionIsASunkenEdge) {
  painter->SetBarStyle(TXPBarMenu::bsNone);
  painter->SetFrame3D(true);
  Paint(item, QRect(0, 0, 200, 23), true);
  EXPECT_EQ(At(0, 0), kBtnShadow);
  EXPECT_EQ(At(100, 0), kBtnShadow);
  EXPECT_EQ(At(199, 10), ui::clWhite);
  EXPECT_EQ(At(100, 23), ui::clWhite);
  EXPECT_EQ(At(5, 5), painter->Lighten(canvas, IconBack(), Step(5, 0, 24)));  // no fill
}

TEST_F(PaintFixture, DisabledItemUnderTheMouseGetsNoHighlight) {
  painter->SetBarStyle(TXPBarMenu::bsNone);
  item->SetEnabled(false);
  Paint(item, QRect(0, 0, 200, 23), true);
  EXPECT_EQ(At(5, 5), painter->Lighten(canvas, IconBack(), Step(5, 0, 24)));
}

TEST_F(PaintFixture, MenuBarItemSelectedLooksRaisedWithAShadow) {
  Paint(file, QRect(0, 0, 80, 20), true);
  const TColor frame = RGB(122, 120, 110);
  EXPECT_EQ(At(0, 0), frame);
  EXPECT_EQ(At(0, 19), frame);
  EXPECT_EQ(At(30, 0), frame);
  EXPECT_EQ(At(72, 10), frame);
  EXPECT_EQ(At(72, 20), frame);
  EXPECT_EQ(At(2, 10), IconBack());
  EXPECT_EQ(At(77, 1), kMenu);                // the base-coloured corner line
  EXPECT_EQ(At(74, 0), RGB(202, 200, 190));   // Darken 10
  EXPECT_EQ(At(73, 15), RGB(112, 110, 100));  // Darken 100
  EXPECT_EQ(At(75, 15), RGB(152, 150, 140));  // Darken 60
  EXPECT_EQ(At(78, 15), RGB(202, 200, 190));  // Darken 10, right edge
  EXPECT_EQ(At(80, 15), ui::clWhite);
}

TEST_F(PaintFixture, MenuBarItemUnselectedIsPlainWithoutBarOrGradient) {
  Paint(file, QRect(0, 0, 60, 20));
  EXPECT_EQ(At(0, 0), kMenu);
  EXPECT_EQ(At(1, 1), kMenu);
  EXPECT_EQ(At(59, 20), kMenu);
  EXPECT_EQ(At(60, 5), ui::clWhite);
}

TEST_F(PaintFixture, PicturesAreLightenedLiftedWithShadowOrGreyed) {
  painter->SetBarStyle(TXPBarMenu::bsNone);
  QImage bitmap(16, 16, QImage::Format_RGB32);
  bitmap.fill(Qt::white);  // the bottom-left colour: transparent
  for (int y = 0; y < 15; ++y)
    for (int x = 1; x < 16; ++x) bitmap.setPixelColor(x, y, QColor(255, 0, 0));
  item->SetBitmap(bitmap);
  item->SetCaption("x");
  // 24 high with the extra row: picture at x = 3, y = 4 (x 4 to 18 red).
  Paint(item, QRect(0, 0, 200, 23));
  EXPECT_EQ(At(10, 10), painter->Lighten(canvas, RGB(255, 0, 0), 30));
  EXPECT_EQ(At(3, 10), painter->Lighten(canvas, IconBack(), Step(3, 0, 24)));

  image.fill(Qt::white);
  Paint(item, QRect(0, 0, 200, 23), true);  // hot: up and left, shadow down and right
  EXPECT_EQ(At(3, 3), RGB(255, 0, 0));
  EXPECT_EQ(At(17, 17), RGB(255, 0, 0));
  const TColor shadow = painter->Darken(canvas, painter->Lighten(canvas, kHighlight, 68), 50);
  EXPECT_EQ(At(19, 19), shadow);
  EXPECT_NE(At(5, 4), shadow);

  image.fill(Qt::white);
  item->SetEnabled(false);
  Paint(item, QRect(0, 0, 200, 23));
  EXPECT_EQ(At(10, 10), RGB(155, 155, 155));
}

TEST_F(PaintFixture, FlatFrameAndShadowAroundThePopup) {
  painter->SetFlatMenu(true);
  ui::OwnerDrawMenu popup;
  popup.resize(100, 80);
  canvas.SetWindow(&popup);
  Paint(item, QRect(0, 0, 94, 23));
  const QImage& ring = popup.Frame();
  ASSERT_EQ(ring.size(), QSize(100, 80));
  auto px = [&](int x, int y) { return ui::FromQColor(ring.pixelColor(x, y)); };
  const TColor frame = RGB(122, 120, 110), shadow = RGB(136, 134, 124);
  EXPECT_EQ(px(0, 0), frame);
  EXPECT_EQ(px(97, 0), frame);
  EXPECT_EQ(px(97, 77), frame);
  EXPECT_EQ(px(0, 77), frame);
  EXPECT_EQ(px(98, 0), IconBack());  // corners beside the shadow
  EXPECT_EQ(px(99, 1), IconBack());
  EXPECT_EQ(px(0, 78), IconBack());
  EXPECT_EQ(px(1, 79), IconBack());
  EXPECT_EQ(px(98, 2), shadow);
  EXPECT_EQ(px(99, 79), shadow);
  EXPECT_EQ(px(2, 79), shadow);
  EXPECT_EQ(px(1, 10), IconBack());  // inner left line
  EXPECT_EQ(px(2, 10), kMenu);       // left as the window system drew it

  // Without the gradient the inner top line and the line over the icon column come too.
  painter->SetGradient(false);
  Paint(item, QRect(0, 0, 94, 23));
  const TColor plain = painter->Lighten(canvas, kBtnFace, 86);
  EXPECT_EQ(px(50, 1), plain);
  EXPECT_EQ(px(50, 2), plain);
  EXPECT_EQ(px(10, 2), IconBack());
}

TEST_F(PaintFixture, DrawHandlerCallsThePaintersOwnEventAfterPainting) {
  struct Seen {
    int calls = 0;
    bool selected = false;
  } seen;
  painter->OnDrawItem = {[](void* o, TMenuItem*, TCanvas&, const QRect&, bool selected) {
                           ++static_cast<Seen*>(o)->calls;
                           static_cast<Seen*>(o)->selected = selected;
                         },
                         &seen};
  Paint(item, QRect(0, 0, 200, 23), true);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_TRUE(seen.selected);
}

TEST_F(PaintFixture, PaintingHooksItemsAddedLater) {
  TMenuItem* late = new TMenuItem(nullptr);
  late->SetCaption("late");
  file->Add(late);
  late->OnDrawItem = {};
  late->OnMeasureItem = {};
  Paint(item, QRect(0, 0, 200, 23));
  EXPECT_EQ(late->OnDrawItem.code, &TXPBarMenu::DrawItemThunk);
  EXPECT_EQ(late->OnMeasureItem.code, &TXPBarMenu::MeasureItemThunk);
}

int Ink(const QImage& image, const QRect& area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += qGray(image.pixel(x, y)) < 100;
  return n;
}

TEST_F(PaintFixture, DefaultItemIsBoldAndEmbossedOnlyWhenEnabled) {
  painter->SetBarStyle(TXPBarMenu::bsNone);
  item->SetCaption("WWWW");
  const QRect rect(0, 0, 200, 23), text(24, 0, 176, 24);
  Paint(item, rect);
  const int plain = Ink(image, text);
  ASSERT_GT(plain, 0);
  item->SetDefault(true);
  Paint(item, rect);
  EXPECT_GT(Ink(image, text), plain);

  item->SetEnabled(false);
  item->SetDefault(false);
  Paint(item, rect);
  const QImage disabledPlain = image.copy();
  item->SetDefault(true);
  Paint(item, rect);
  EXPECT_EQ(image, disabledPlain);
}

TEST_F(PaintFixture, ShortcutIsDrawnLighterAtTheRight) {
  painter->SetBarStyle(TXPBarMenu::bsNone);
  item->SetCaption("x");
  const QRect right(120, 0, 70, 24);
  Paint(item, QRect(0, 0, 200, 23));
  EXPECT_EQ(Ink(image, right), 0);
  item->SetShortCut(QKeySequence("Ctrl+W"));
  Paint(item, QRect(0, 0, 200, 23));
  int lighter = 0;  // text in Darken(black, -40): (40, 42, 40) at its darkest
  for (int y = 0; y < 24; ++y)
    for (int x = 120; x < 190; ++x) lighter += At(x, y) == RGB(40, 42, 40);
  EXPECT_GT(lighter, 0);
  EXPECT_EQ(Ink(image, QRect(191, 0, 9, 24)), 0);  // ends ten pixels in
}

TEST_F(PaintFixture, PictureBarIsStretchedOrSitsAtTheBottom) {
  painter->SetBarStyle(TXPBarMenu::bsBitmap);
  QImage red(22, 10, QImage::Format_RGB32);
  red.fill(Qt::red);
  painter->SetBarBitmap(ui::TBitmap(red));
  for (int i = 0; i < 4; ++i) Item("Item", file);
  Paint(item, QRect(0, 0, 200, 23));
  EXPECT_EQ(At(1, 0), RGB(255, 0, 0));  // stretched from two rows above the bar
  EXPECT_EQ(At(1, 50), RGB(255, 0, 0));

  image.fill(Qt::white);
  painter->SetBarStretch(false);
  Paint(item, QRect(0, 0, 200, 23));
  int firstRed = -1, lastRed = -1;
  for (int y = 0; y < image.height(); ++y)
    if (At(1, y) == RGB(255, 0, 0)) {
      if (firstRed < 0) firstRed = y;
      lastRed = y;
    }
  EXPECT_EQ(lastRed - firstRed + 1, 10);
  EXPECT_GT(firstRed, 30);
}

TEST_F(PaintFixture, BarEventsMayMoveOrVetoTheBar) {
  struct Moves {
    static void Measure(void*, TMenuItem*, TCanvas&, ui::TRect& rect, ui::TRect& bar) {
      bar.Left += 5;
      rect.Left += 10;
    }
    static void Veto(void* seen, TMenuItem*, TCanvas&, const ui::TRect& bar, bool& canDraw) {
      *static_cast<int*>(seen) = bar.Left;
      canDraw = false;
    }
  };
  painter->SetBarCaption("ZQ");
  int seenLeft = -1;
  painter->OnMeasureBar = {&Moves::Measure, nullptr};
  painter->OnDrawBar = {&Moves::Veto, &seenLeft};
  painter->SetIconWidth(24);
  item->SetChecked(true);
  Paint(item, QRect(0, 0, 200, 23));
  EXPECT_EQ(seenLeft, 6);
  EXPECT_EQ(At(3, 5), ui::clWhite);  // no bar
  // The item still starts a bar's width (and the moved ten) further right: box at 32 + 7.
  EXPECT_EQ(At(39, 7), kHighlight);
}

TEST_F(PaintFixture, RightToLeftMenusPutTheIconColumnAtTheRight) {
  painter->SetBarStyle(TXPBarMenu::bsNone);
  menu->SetRightToLeft(true);
  item->SetChecked(true);
  Paint(item, QRect(0, 0, 200, 23));
  EXPECT_EQ(At(183, 7), kHighlight);  // box (183, 7, 193, 17)
  EXPECT_EQ(At(192, 16), kHighlight);
  EXPECT_NE(At(7, 7), kHighlight);
}

// Device pixel ratio 2

struct RatioFixture : PaintFixture {
  // The item painted on an image of its own at the ratio, in logical coordinates.
  QImage PaintAt(int ratio, TMenuItem* what, QRect rect, bool selected = false) {
    QImage shot(240 * ratio, 60 * ratio, QImage::Format_RGB32);
    shot.setDevicePixelRatio(ratio);
    shot.fill(Qt::white);
    TCanvas onShot(&shot);
    painter->DrawItemHandler(what, onShot, rect, selected);
    return shot;
  }
  // Logical pixels of `area` whose 2 x 2 block at ratio 2 is not all the ratio-1 pixel.
  static int Mismatches(const QImage& one, const QImage& two, QRect area = QRect(0, 0, 240, 60)) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        for (int d = 0; d < 4; ++d) n += two.pixel(2 * x + d % 2, 2 * y + d / 2) != one.pixel(x, y) ? 1 : 0;
    return n;
  }
  // Blocks of `area` whose four device pixels differ: detail finer than a logical pixel.
  static int FineBlocks(const QImage& two, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) {
        const QRgb p = two.pixel(2 * x, 2 * y);
        n += (two.pixel(2 * x + 1, 2 * y) != p || two.pixel(2 * x, 2 * y + 1) != p ||
              two.pixel(2 * x + 1, 2 * y + 1) != p)
                 ? 1
                 : 0;
      }
    return n;
  }
};

TEST_F(RatioFixture, FillsLinesAndFramesAtRatioTwoAreTheRatioOnePixelsInBlocks) {
  QImage red(22, 10, QImage::Format_RGB32);
  red.fill(Qt::red);
  painter->SetBarStyle(TXPBarMenu::bsBitmap);  // the gradient bar's caption is text
  painter->SetBarBitmap(ui::TBitmap(red));
  TMenuItem* line = Item("-", file);
  struct Case {
    const char* name;
    TMenuItem* what;
    QRect rect;
    bool selected, checked, frame3D;
  } cases[] = {{"plain", item, {0, 0, 200, 23}, false, false, false},
               {"selected", item, {0, 0, 200, 23}, true, false, false},
               {"checked", item, {0, 0, 200, 23}, false, true, false},
               {"sunken", item, {0, 0, 200, 23}, true, false, true},
               {"separator", line, {0, 23, 200, 4}, false, false, false},
               {"selected bar item", file, {0, 0, 80, 20}, true, false, false}};
  for (const Case& c : cases) {
    item->SetChecked(c.checked);
    painter->SetFrame3D(c.frame3D);
    if (c.what == file) file->SetCaption("");
    const QImage one = PaintAt(1, c.what, c.rect, c.selected);
    const QImage two = PaintAt(2, c.what, c.rect, c.selected);
    file->SetCaption("檔案(&F)");
    ASSERT_EQ(two.size(), 2 * one.size());
    EXPECT_EQ(Mismatches(one, two), 0) << c.name;
  }
}

TEST_F(RatioFixture, TextAndPicturesAtRatioTwoUseTheDevicePixels) {
  painter->SetBarCaption("ZQ");
  item->SetCaption("客戶資料維護");
  QImage small(16, 16, QImage::Format_RGB32), large(32, 32, QImage::Format_RGB32);
  small.fill(Qt::white);  // the bottom-left colour: transparent
  large.fill(Qt::white);
  for (int y = 2; y < 14; ++y)
    for (int x = 2; x < 14; ++x) small.setPixelColor(x, y, QColor(200, 30, 30));
  for (int y = 4; y < 28; ++y)
    for (int x = 4; x < 28; ++x)
      large.setPixelColor(x, y, (x + y) % 2 ? QColor(200, 30, 30) : QColor(30, 30, 200));
  large.setDevicePixelRatio(2);
  item->SetBitmap(small, large);
  const QRect rect(0, 0, 200, 23);
  const QImage one = PaintAt(1, item, rect);
  const QImage two = PaintAt(2, item, rect);

  // Caption, picture and the bar's turned caption carry detail finer than a logical pixel.
  const QRect caption(22 + 24 + 5, 0, 80, 24), picture(22 + 7, 7, 12, 12), barCaption(2, 0, 19, 23);
  EXPECT_GT(FineBlocks(two, caption), 20);
  EXPECT_GT(FineBlocks(two, picture), 100);  // the large picture's checks, lightened
  EXPECT_EQ(FineBlocks(one.scaled(one.size() * 2), picture), 0);
  EXPECT_GT(FineBlocks(two, barCaption), 0);
  // Around them everything lies where it lies at ratio 1: the gradient, the bar's bands.
  EXPECT_EQ(Mismatches(one, two, QRect(150, 0, 50, 24)), 0);
  EXPECT_EQ(Mismatches(one, two, QRect(1, 1, 1, 22)), 0);

  // Selected: the picture lifts to (24, 3) over its silhouette at (26, 5). The large
  // picture's inked part (device 4 to 27) ends at logical 38 and the shadow's at 40.
  const QImage hot = PaintAt(2, item, rect, true);
  const TColor shadow = painter->Darken(canvas, painter->Lighten(canvas, kHighlight, 68), 50);
  EXPECT_EQ(ui::FromQColor(hot.pixelColor(2 * 39 + 1, 2 * 10)), shadow);
  EXPECT_NE(ui::FromQColor(hot.pixelColor(2 * 40, 2 * 10)), shadow);
  EXPECT_NE(ui::FromQColor(hot.pixelColor(2 * 37, 2 * 10)), shadow);
}

// Text contrast in light, dark and high-contrast palettes

QPalette DarkPalette() {
  QPalette p;
  p.setColor(QPalette::Window, QColor(53, 53, 53));
  p.setColor(QPalette::WindowText, QColor(238, 238, 238));
  p.setColor(QPalette::Button, QColor(53, 53, 53));
  p.setColor(QPalette::ButtonText, QColor(238, 238, 238));
  p.setColor(QPalette::Base, QColor(35, 35, 35));
  p.setColor(QPalette::Text, QColor(238, 238, 238));
  p.setColor(QPalette::Light, QColor(80, 80, 80));
  p.setColor(QPalette::Dark, QColor(30, 30, 30));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
  return p;
}

QPalette HighContrastPalette() {
  QPalette p;
  for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base}) p.setColor(role, Qt::black);
  for (auto role :
       {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::Light, QPalette::Dark})
    p.setColor(role, Qt::white);
  p.setColor(QPalette::Highlight, QColor(26, 235, 255));
  p.setColor(QPalette::HighlightedText, Qt::black);
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(63, 242, 63));
  return p;
}

// The contrast of what `draw` adds over what is there without it: text pixels
// against the background beneath them, at their most inked.
double InkContrast(const QImage& with, const QImage& without) {
  double best = 1;
  for (int y = 0; y < with.height(); ++y)
    for (int x = 0; x < with.width(); ++x)
      if (with.pixel(x, y) != without.pixel(x, y))
        best = std::max(best, ui::ContrastRatio(ui::FromQColor(with.pixelColor(x, y)),
                                                ui::FromQColor(without.pixelColor(x, y))));
  return best;
}

struct ContrastCase {
  const char* name;
  bool top, selected, checked, isDefault;
};

TEST_F(XPBarMenuFixture, EnabledTextIsReadableInLightDarkAndHighContrastPalettes) {
  TMenuItem* item = Item("", file);
  item->SetShortCut(QKeySequence("Ctrl+W"));
  ApplyWindowMenuLook(*Painter());
  painter->SetFlatMenu(false);
  const ContrastCase cases[] = {
      {"pop-up item", false, false, false, false}, {"selected pop-up item", false, true, false, false},
      {"checked item", false, false, true, false}, {"default item", false, false, false, true},
      {"bar item", true, false, false, false},     {"selected bar item", true, true, false, false}};
  const std::pair<const char*, ui::SysColors::Table> palettes[] = {
      {"light", ui::SysColors::Classic()},
      {"dark", ui::SysColors::FromPalette(DarkPalette())},
      {"high contrast", ui::SysColors::FromPalette(HighContrastPalette())}};
  auto paint = [&](TMenuItem* what, bool selected) {
    image.fill(Qt::white);
    painter->DrawItemHandler(what, canvas, what == file ? QRect(0, 0, 90, 23) : QRect(0, 0, 220, 23),
                             selected);
    return image.copy(0, 0, 240, 24);
  };
  for (const auto& [paletteName, table] : palettes) {
    ui::SysColors::UseTable(table);
    for (const ContrastCase& c : cases) {
      TMenuItem* what = c.top ? file : item;
      item->SetChecked(c.checked);
      item->SetDefault(c.isDefault);
      const QString caption = c.top ? "檔案(&F)" : "客戶資料維護";
      what->SetCaption("");
      const QImage bare = paint(what, c.selected);
      what->SetCaption(caption);
      const QImage captioned = paint(what, c.selected);
      EXPECT_GE(InkContrast(captioned, bare), ui::kReadableContrast) << paletteName << ", " << c.name;
      if (c.top) continue;
      item->SetShortCut({});
      const QImage noShortcut = paint(what, c.selected);
      item->SetShortCut(QKeySequence("Ctrl+W"));
      EXPECT_GE(InkContrast(captioned, noShortcut), ui::kReadableContrast)
          << paletteName << ", " << c.name << " shortcut";
    }
  }
}

TEST_F(XPBarMenuFixture, DarkPalettesGetDarkMenusWithVisibleSeparatorsAndDisabledText) {
  ui::SysColors::UseTable(ui::SysColors::FromPalette(DarkPalette()));
  ApplyWindowMenuLook(*Painter());
  painter->PrepareColors(canvas);
  const auto& p = painter->Paint();
  EXPECT_TRUE(p.Dark);
  // The item background lies at the dark end, darker than the menu colour.
  EXPECT_LT(ui::RelativeLuminance(p.PaintColor), ui::RelativeLuminance(ui::clMenu));
  EXPECT_LT(ui::RelativeLuminance(p.PaintSelectColor), ui::RelativeLuminance(ui::clHighlight));
  // Separators and disabled captions stand out from it, if dimly.
  EXPECT_GE(ui::ContrastRatio(p.PaintSeparatorColor, p.PaintColor), 3.0);
  EXPECT_GE(ui::ContrastRatio(p.PaintDisabledColor, p.PaintColor), 3.0);
  EXPECT_GT(ui::RelativeLuminance(p.PaintFrameColor), ui::RelativeLuminance(ui::clBtnFace));

  ui::SysColors::UseTable(ui::SysColors::Classic());
  painter->PrepareColors(canvas);
  EXPECT_FALSE(p.Dark);
}

// A real owner-drawn pop-up

TEST_F(XPBarMenuFixture, OpenPopupShowsTheBarGradientAndFrame) {
  for (const char* caption : {"登入", "-", "退出"}) Item(QString::fromUtf8(caption), file);
  ApplyWindowMenuLook(*Painter());
  QMenu* popup = file->SubMenu();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->style(), ui::MenuStyle::Instance());
  popup->popup(QPoint(100, 100));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
  popup->grab();
  // The first paint brings in the menu font; the items are measured again with it.
  QApplication::processEvents();
  const QImage shot = popup->grab().toImage();
  if (const char* dir = std::getenv("SQ_MENU_SHOT")) shot.save(QString(dir) + "/popup.png");
  popup->hide();

  const int b = ui::MenuStyle::kPopupBorder;
  const QColor top = shot.pixelColor(b + 1, b + 1);
  const QColor bottom = shot.pixelColor(b + 1, shot.height() - b - 1);
  EXPECT_EQ(top, QColor(0, 0, 56));
  EXPECT_EQ(bottom.red() + bottom.green(), 0);
  EXPECT_GE(bottom.blue(), 240);
  EXPECT_EQ(ui::FromQColor(shot.pixelColor(0, 0)), RGB(122, 120, 110));
  EXPECT_EQ(ui::FromQColor(shot.pixelColor(shot.width() - 1, shot.height() / 2)), RGB(136, 134, 124));
}

TEST_F(XPBarMenuFixture, APaintOfAPopupMeasuresEachOfItsItemsOnce) {
  for (const char* caption : {"登入", "-", "退出", "關於..."}) Item(QString::fromUtf8(caption), file);
  ApplyWindowMenuLook(*Painter());
  int measured = 0;
  painter->OnMeasureItem = {
      [](void* count, TMenuItem*, TCanvas&, int&, int&) { ++*static_cast<int*>(count); }, &measured};
  QMenu* popup = file->SubMenu();
  popup->popup(QPoint(100, 100));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
  popup->grab();
  QApplication::processEvents();  // the menu font came with the first paint: laid out again
  popup->grab();

  // Separators take their height without measuring: three items to measure.
  measured = 0;
  const QImage first = popup->grab().toImage();
  EXPECT_EQ(measured, 3);
  // The next paint measures again, and paints the same.
  measured = 0;
  EXPECT_EQ(popup->grab().toImage(), first);
  EXPECT_EQ(measured, 3);
  popup->hide();
}

// A real owner-drawn menu bar

struct MenuBarFixture : XPBarMenuFixture {
  QMenuBar* bar = nullptr;
  void SetUp() override {
    XPBarMenuFixture::SetUp();
    for (const char* caption : {"基本資料(&M)", "系統(&H)"}) Item(QString::fromUtf8(caption), menu->Items());
    for (int i = 0; i < menu->Items()->Count(); ++i) Item("x", menu->Items()->Items(i));
    ApplyWindowMenuLook(*Painter());
    bar = menu->MenuBar();
    bar->resize(400, 30);
    bar->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(bar));
    bar->grab();
    // The first paint brings in the menu font; the items are measured again with it.
    QApplication::processEvents();
  }
  // The item painted in `rect`, on a canvas of the bar's size.
  QImage PaintInBar(TMenuItem* what, const QRect& rect, bool selected) {
    QImage shot(bar->size(), QImage::Format_RGB32);
    shot.fill(Qt::white);
    TCanvas onBar(&shot);
    painter->DrawItemHandler(what, onBar, rect, selected);
    return shot;
  }
};

TEST_F(MenuBarFixture, SelectedCaptionsClearTheRaisedFrameAndItsShadow) {
  for (int i = 0; i < menu->Items()->Count(); ++i) {
    TMenuItem* top = menu->Items()->Items(i);
    const QString caption = top->Caption();
    const QRect item = bar->actionGeometry(top->Action());
    const QImage withCaption = PaintInBar(top, item, true);
    top->SetCaption("");
    const QImage without = PaintInBar(top, item, true);
    top->SetCaption(caption);
    // The frame's right edge is eight pixels in from the item's right; the shadow lies beyond it.
    const int frameLine = item.right() + 1 - 8;
    int inkRight = -1;
    for (int y = item.top(); y <= item.bottom(); ++y)
      for (int x = item.left(); x <= item.right(); ++x)
        if (withCaption.pixel(x, y) != without.pixel(x, y)) inkRight = std::max(inkRight, x);
    ASSERT_GT(inkRight, item.left()) << caption.toStdString() << ": no caption drawn";
    EXPECT_LT(inkRight, frameLine) << caption.toStdString();
  }
}

TEST_F(MenuBarFixture, BarIsOneColourBesideAndBelowTheItems) {
  const QImage shot = bar->grab().toImage();
  const QRect last = bar->actionGeometry(menu->Items()->Items(menu->Items()->Count() - 1)->Action());
  ASSERT_LT(last.right() + 10, shot.width());
  const TColor barColour = ui::ColorToRGB(painter->Paint().PaintMenuBarColor);
  EXPECT_EQ(ui::FromQColor(shot.pixelColor(2, shot.height() - 1)), barColour);  // under an item
  for (int x = last.right() + 1; x < shot.width(); ++x)
    for (int y : {0, shot.height() / 2, shot.height() - 1})
      ASSERT_EQ(ui::FromQColor(shot.pixelColor(x, y)), barColour) << "at " << x << ", " << y;
}

}  // namespace
