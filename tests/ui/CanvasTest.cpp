#include "ui/menu/TCanvas.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "ui/menu/ColorContrast.h"
#include "ui/menu/SysColors.h"
#include "ui/menu/TBitmap.h"
#include "ui/menu/TImageList.h"

namespace {

using ui::RGB;
using ui::TColor;

struct CanvasFixture : ::testing::Test {
  QImage image{40, 30, QImage::Format_RGB32};
  ui::TCanvas canvas{&image};

  void SetUp() override {
    ui::SysColors::UseTable(ui::SysColors::Classic());
    image.fill(Qt::white);
  }
  void TearDown() override { ui::SysColors::UsePalette(); }
  TColor At(int x, int y) const { return canvas.Pixel(x, y); }
  int Count(TColor color) const {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += At(x, y) == color;
    return n;
  }
};

TEST_F(CanvasFixture, ColoursAreBgrAndSystemColoursResolveThroughTheTable) {
  EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
  EXPECT_EQ(ui::ColorToRGB(ui::clHighlight), RGB(10, 36, 106));
  EXPECT_EQ(ui::ColorToRGB(ui::clNone), ui::clNone);
  ui::SysColors::Table table = ui::SysColors::Classic();
  table[13] = RGB(1, 2, 3);
  ui::SysColors::UseTable(table);
  EXPECT_EQ(ui::ColorToRGB(ui::clHighlight), RGB(1, 2, 3));
  // From the palette, the highlight is the palette's.
  ui::SysColors::UsePalette();
  EXPECT_EQ(ui::ColorToRGB(ui::clHighlight),
            ui::FromQColor(QApplication::palette().color(QPalette::Highlight)));
}

TEST_F(CanvasFixture, FillsAreRightAndBottomExclusive) {
  canvas.Brush.Color = ui::clBlack;
  canvas.FillRect({2, 3, 5, 7});
  EXPECT_EQ(Count(ui::clBlack), 3 * 4);
  EXPECT_EQ(At(2, 3), ui::clBlack);
  EXPECT_EQ(At(4, 6), ui::clBlack);
  EXPECT_EQ(At(5, 6), ui::clWhite);
  canvas.Brush.Style = ui::bsClear;
  canvas.FillRect({10, 10, 20, 20});
  EXPECT_EQ(Count(ui::clBlack), 12);
}

TEST_F(CanvasFixture, OutlinedRectangleDrawsItsEdgesInside) {
  canvas.Pen.Color = ui::clBlack;
  canvas.Brush.Color = RGB(0, 255, 0);
  canvas.Rectangle(2, 2, 6, 5);
  EXPECT_EQ(At(2, 2), ui::clBlack);
  EXPECT_EQ(At(5, 4), ui::clBlack);
  EXPECT_EQ(At(6, 4), ui::clWhite);
  EXPECT_EQ(At(3, 3), RGB(0, 255, 0));
  EXPECT_EQ(Count(ui::clBlack), 10);
  // A two-high rectangle is all edge; with a clear brush nothing is filled.
  canvas.Brush.Style = ui::bsClear;
  canvas.Rectangle(10, 10, 14, 12);
  EXPECT_EQ(Count(ui::clBlack), 18);
  canvas.Rectangle(20, 20, 25, 25);
  EXPECT_EQ(At(22, 22), ui::clWhite);
  // Corner size 0 is a plain rectangle.
  canvas.RoundRect(30, 2, 34, 6, 0, 0);
  EXPECT_EQ(At(30, 2), ui::clBlack);
  EXPECT_EQ(At(33, 5), ui::clBlack);
}

TEST_F(CanvasFixture, LinesLeaveOutTheirEndPoint) {
  canvas.Pen.Color = ui::clBlack;
  canvas.MoveTo(1, 1);
  canvas.LineTo(5, 1);
  EXPECT_EQ(Count(ui::clBlack), 4);
  EXPECT_EQ(At(5, 1), ui::clWhite);
  canvas.LineTo(5, 4);  // continues from the last end point, which it now draws
  EXPECT_EQ(At(5, 1), ui::clBlack);
  EXPECT_EQ(At(5, 4), ui::clWhite);
  canvas.MoveTo(10, 10);
  canvas.LineTo(13, 7);  // diagonal
  EXPECT_EQ(At(10, 10), ui::clBlack);
  EXPECT_EQ(At(12, 8), ui::clBlack);
  EXPECT_EQ(At(13, 7), ui::clWhite);
  EXPECT_EQ(canvas.PenPos(), QPoint(13, 7));
}

TEST_F(CanvasFixture, PixelsOutsideTheClipAreInvalidAndUntouched) {
  canvas.ExcludeClipRect({0, 0, 10, 10});
  EXPECT_EQ(At(5, 5), ui::CLR_INVALID);
  canvas.Brush.Color = ui::clBlack;
  canvas.FillRect({0, 0, 20, 20});
  EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
  EXPECT_EQ(At(15, 5), ui::clBlack);
  canvas.SetPixel(3, 3, ui::clBlack);
  EXPECT_EQ(image.pixelColor(3, 3), QColor(Qt::white));
  EXPECT_EQ(At(-1, 0), ui::CLR_INVALID);
  EXPECT_EQ(At(40, 0), ui::CLR_INVALID);
}

TEST_F(CanvasFixture, OriginShiftsCanvasPointsOntoTheImage) {
  ui::TCanvas shifted(&image, QPoint(100, 50));
  shifted.Brush.Color = ui::clBlack;
  shifted.FillRect({0, 0, 102, 52});  // only (100..101, 50..51) lies on the image
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
  EXPECT_EQ(shifted.Pixel(100, 50), ui::clBlack);
  EXPECT_EQ(shifted.Pixel(0, 0), ui::CLR_INVALID);
}

TEST_F(CanvasFixture, NearestColourFollowsTheDepth) {
  EXPECT_EQ(canvas.BitsPerPixel(), 32);
  EXPECT_EQ(canvas.GetNearestColor(RGB(13, 57, 201)), RGB(13, 57, 201));
  canvas.SetBitsPerPixel(16);
  const TColor c = canvas.GetNearestColor(RGB(13, 57, 201));
  EXPECT_EQ(ui::GetRValue(c) & 0xF8, 13 & 0xF8);
  EXPECT_EQ(ui::GetGValue(c) & 0xFC, 57 & 0xFC);
  EXPECT_EQ(canvas.GetNearestColor(ui::clWhite), ui::clWhite);
  canvas.SetBitsPerPixel(8);
  EXPECT_EQ(canvas.GetNearestColor(RGB(250, 250, 250)), ui::clWhite);
  EXPECT_EQ(canvas.GetNearestColor(ui::clBtnShadow), RGB(128, 128, 128));
  // What is set on such a device is what it can show.
  canvas.SetPixel(0, 0, RGB(250, 250, 250));
  EXPECT_EQ(At(0, 0), ui::clWhite);
}

TEST_F(CanvasFixture, StretchCopyTakesThePixelUnderEachCentre) {
  ui::TBitmap source(4, 1);
  for (int x = 0; x < 4; ++x) source.Canvas().SetPixel(x, 0, RGB(x * 10, 0, 0));
  // (0, 0, 3, 1) of the source onto four pixels: the last source column is never read.
  canvas.CopyRect({0, 0, 4, 1}, source.Canvas(), {0, 0, 3, 1});
  EXPECT_EQ(At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(At(1, 0), RGB(10, 0, 0));
  EXPECT_EQ(At(2, 0), RGB(10, 0, 0));
  EXPECT_EQ(At(3, 0), RGB(20, 0, 0));
  // Doubling and halving.
  canvas.CopyRect({0, 2, 8, 3}, source.Canvas(), {0, 0, 4, 1});
  EXPECT_EQ(At(6, 2), RGB(30, 0, 0));
  EXPECT_EQ(At(7, 2), RGB(30, 0, 0));
  canvas.CopyRect({0, 4, 2, 5}, source.Canvas(), {0, 0, 4, 1});
  EXPECT_EQ(At(0, 4), RGB(10, 0, 0));
  EXPECT_EQ(At(1, 4), RGB(30, 0, 0));
  canvas.BitBlt(10, 10, 2, 1, source.Canvas(), 2, 0);
  EXPECT_EQ(At(10, 10), RGB(20, 0, 0));
  EXPECT_EQ(At(11, 10), RGB(30, 0, 0));
}

TEST_F(CanvasFixture, TransparentPictureLeavesOutItsBottomLeftColour) {
  QImage picture(3, 3, QImage::Format_RGB32);
  picture.fill(QColor(255, 0, 255));
  picture.setPixelColor(1, 1, Qt::black);
  picture.setPixelColor(2, 0, Qt::blue);
  ui::TBitmap bitmap(picture);
  bitmap.SetTransparent(true);
  canvas.Draw(5, 5, bitmap);
  EXPECT_EQ(At(6, 6), ui::clBlack);
  EXPECT_EQ(At(7, 5), ui::clBlue);
  EXPECT_EQ(At(5, 5), ui::clWhite);
  bitmap.SetTransparent(false);
  canvas.Draw(5, 5, bitmap);
  EXPECT_EQ(At(5, 5), RGB(255, 0, 255));

  // Transparent pixels of an image with alpha stay transparent.
  QImage alpha(2, 2, QImage::Format_ARGB32);
  alpha.fill(Qt::transparent);
  alpha.setPixelColor(1, 0, Qt::red);
  ui::TBitmap fromAlpha(alpha);
  fromAlpha.SetTransparent(true);
  canvas.Draw(20, 20, fromAlpha);
  EXPECT_EQ(At(20, 21), ui::clWhite);
  EXPECT_EQ(At(21, 20), RGB(255, 0, 0));
}

TEST_F(CanvasFixture, SunkenEdgeIsShadowTopLeftAndHighlightBottomRight) {
  image.fill(Qt::black);
  canvas.DrawEdge({2, 2, 8, 6}, ui::BDR_SUNKENOUTER, ui::BF_RECT);
  EXPECT_EQ(At(2, 2), RGB(128, 128, 128));
  EXPECT_EQ(At(6, 2), RGB(128, 128, 128));
  EXPECT_EQ(At(2, 4), RGB(128, 128, 128));
  EXPECT_EQ(At(7, 2), ui::clWhite);
  EXPECT_EQ(At(2, 5), ui::clWhite);
  EXPECT_EQ(At(7, 5), ui::clWhite);
  EXPECT_EQ(At(4, 4), ui::clBlack);
}

TEST_F(CanvasFixture, DrawTextAlignsClipsAndUnderlinesTheAccessKey) {
  QImage big(200, 40, QImage::Format_RGB32);
  ui::TCanvas c(&big);
  c.Font.Height = -14;
  c.Font.Color = ui::clBlack;
  c.SetBkMode(ui::TRANSPARENT);
  auto inked = [&](int x0, int x1, int y0, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += qGray(big.pixel(x, y)) < 128;
    return n;
  };
  big.fill(Qt::white);
  c.DrawText("W", {0, 0, 200, 40}, ui::DT_LEFT);
  EXPECT_GT(inked(0, 20, 0, 40), 0);
  EXPECT_EQ(inked(100, 200, 0, 40), 0);

  big.fill(Qt::white);
  c.DrawText("W", {0, 0, 200, 40}, ui::DT_RIGHT);
  EXPECT_EQ(inked(0, 100, 0, 40), 0);
  EXPECT_GT(inked(180, 200, 0, 40), 0);

  // "&W" shows W with a line under it; "&&" shows one ampersand.
  big.fill(Qt::white);
  c.DrawText("W", {0, 0, 200, 40}, ui::DT_LEFT);
  const int plain = inked(0, 40, 0, 40);
  big.fill(Qt::white);
  c.DrawText("&W", {0, 0, 200, 40}, ui::DT_LEFT);
  EXPECT_GT(inked(0, 40, 0, 40), plain);
  big.fill(Qt::white);
  c.DrawText("&&", {0, 0, 200, 40}, ui::DT_LEFT);
  const int one = inked(0, 200, 0, 40);
  big.fill(Qt::white);
  c.DrawText("&&&&", {0, 0, 200, 40}, ui::DT_LEFT);
  EXPECT_GT(inked(0, 200, 0, 40), one);
  EXPECT_LT(inked(0, 200, 0, 40), 3 * one);

  // Clipped to its rectangle, and the text starts at its top.
  big.fill(Qt::white);
  c.DrawText("WWWWWWWWWW", {0, 10, 30, 40}, ui::DT_LEFT);
  EXPECT_EQ(inked(30, 200, 0, 40), 0);
  EXPECT_EQ(inked(0, 200, 0, 10), 0);

  // Opaque mode fills the background with the brush colour.
  big.fill(Qt::white);
  c.SetBkMode(ui::OPAQUE);
  c.Brush.Color = RGB(0, 0, 255);
  c.DrawText("W", {0, 0, 200, 40}, ui::DT_LEFT);
  EXPECT_EQ(big.pixelColor(0, 1), QColor(0, 0, 255));
}

TEST_F(CanvasFixture, UpwardTextRunsFromItsReferencePointUp) {
  QImage big(40, 120, QImage::Format_RGB32);
  big.fill(Qt::white);
  ui::TCanvas c(&big);
  c.Font.Height = -12;
  c.Font.Color = ui::clBlack;
  c.Font.Escapement = 900;
  c.Brush.Style = ui::bsClear;
  c.TextOut(10, 100, "WWWW");
  int top = 120, bottom = -1, left = 40, right = -1;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 40; ++x)
      if (qGray(big.pixel(x, y)) < 128) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_LE(bottom, 101);
  EXPECT_LT(top, 100 - c.TextWidth("WWW"));  // long side upward
  EXPECT_GE(left, 10);
  EXPECT_LE(right, 10 + c.TextHeight("W"));
}

TEST_F(CanvasFixture, ImageListsDrawThroughTheirMask) {
  ui::TImageList list(4, 4);
  QImage picture(8, 8, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) picture.setPixelColor(x, y, Qt::red);
  list.Add(picture);  // scaled to 4 x 4
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Image(0).size(), QSize(4, 4));
  list.Draw(canvas, 10, 10, 0);
  EXPECT_EQ(At(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(At(13, 13), ui::clWhite);
  list.Draw(canvas, 0, 0, 5);  // no such picture: nothing
  EXPECT_EQ(At(0, 0), ui::clWhite);
}

TEST_F(CanvasFixture, ContrastRatiosRunFromOneToTwentyOne) {
  EXPECT_DOUBLE_EQ(ui::ContrastRatio(ui::clBlack, ui::clWhite), 21.0);
  EXPECT_DOUBLE_EQ(ui::ContrastRatio(ui::clWhite, ui::clBlack), 21.0);
  EXPECT_DOUBLE_EQ(ui::ContrastRatio(RGB(90, 20, 200), RGB(90, 20, 200)), 1.0);
  // Mid grey #777 on white just misses the 4.5:1 that text wants; #767676 makes it.
  EXPECT_LT(ui::ContrastRatio(RGB(119, 119, 119), ui::clWhite), ui::kReadableContrast);
  EXPECT_GE(ui::ContrastRatio(RGB(118, 118, 118), ui::clWhite), ui::kReadableContrast);
  // Green weighs most, blue least; system colours resolve first.
  EXPECT_GT(ui::RelativeLuminance(RGB(0, 255, 0)), ui::RelativeLuminance(RGB(255, 0, 0)));
  EXPECT_GT(ui::RelativeLuminance(RGB(255, 0, 0)), ui::RelativeLuminance(RGB(0, 0, 255)));
  EXPECT_DOUBLE_EQ(ui::RelativeLuminance(ui::clMenuText), 0.0);
}

TEST_F(CanvasFixture, AtRatioTwoEveryLogicalPixelIsATwoByTwoBlock) {
  QImage twice(80, 60, QImage::Format_RGB32);
  twice.setDevicePixelRatio(2);
  twice.fill(Qt::white);
  ui::TCanvas c(&twice);
  EXPECT_EQ(c.Scale(), 2);
  EXPECT_EQ(c.ClipRegion().boundingRect(), QRect(0, 0, 40, 30));  // logical
  c.Brush.Color = ui::clBlack;
  c.FillRect({2, 3, 5, 7});
  EXPECT_EQ(twice.pixelColor(4, 6), QColor(Qt::black));
  EXPECT_EQ(twice.pixelColor(9, 13), QColor(Qt::black));
  EXPECT_EQ(twice.pixelColor(10, 13), QColor(Qt::white));
  c.Pen.Color = RGB(0, 0, 255);
  c.MoveTo(10, 10);
  c.LineTo(12, 10);  // two pixels, end point left out
  EXPECT_EQ(twice.pixelColor(23, 21), QColor(0, 0, 255));
  EXPECT_EQ(twice.pixelColor(24, 20), QColor(Qt::white));
  EXPECT_EQ(c.Pixel(11, 10), RGB(0, 0, 255));
  EXPECT_EQ(c.Pixel(40, 0), ui::CLR_INVALID);

  // A picture of ratio 1 is laid on in blocks; one of ratio 2 pixel for pixel.
  ui::TBitmap plain(2, 1);
  plain.Canvas().SetPixel(1, 0, RGB(255, 0, 0));
  c.CopyRect({20, 20, 22, 21}, plain.Canvas(), {0, 0, 2, 1});
  EXPECT_EQ(twice.pixelColor(42, 41), QColor(255, 0, 0));
  EXPECT_EQ(twice.pixelColor(41, 41), QColor(Qt::white));
  ui::TImageList list(2, 2);
  QImage small(2, 2, QImage::Format_ARGB32), large(4, 4, QImage::Format_ARGB32);
  small.fill(Qt::red);
  large.fill(Qt::green);
  large.setPixelColor(1, 0, Qt::blue);
  list.Add(small, large);
  list.Draw(c, 30, 0, 0);
  EXPECT_EQ(twice.pixelColor(60, 0), QColor(Qt::green));
  EXPECT_EQ(twice.pixelColor(61, 0), QColor(Qt::blue));
  list.Draw(canvas, 30, 0, 0);  // ratio 1: the small picture
  EXPECT_EQ(At(30, 0), RGB(255, 0, 0));
}

}  // namespace
