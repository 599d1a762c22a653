#pragma once

#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QString>

#include "ui/menu/TColor.h"
#include "ui/menu/TFont.h"

class QPainter;
class QWidget;

namespace ui {

class TBitmap;

// (Left, Top, Right, Bottom), right and bottom exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
  static TRect From(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
  bool operator==(const TRect&) const = default;
};

enum TBrushStyle { bsSolid, bsClear };

struct TPen {
  TColor Color = clBlack;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_RTLREADING = 0x20000;

constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_RECT = 0xF;

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr TColor CLR_INVALID = 0xFFFFFFFF;

// A device context in the manner of GDI over a QImage: pixel (0, 0) of the
// image is canvas point `origin`. Outlined rectangles draw their edges inside,
// lines leave out their end point, fills cover right- and bottom-exclusive
// rectangles; everything stays inside the clip region.
//
// Coordinates are logical pixels. An image with a device pixel ratio of n
// (a whole number) holds n x n device pixels for each: fills, lines and
// single pixels cover whole blocks, so every rule holds as at ratio 1, while
// text, curves and pictures of the same ratio are drawn at device resolution.
class TCanvas {
 public:
  explicit TCanvas(QImage* image, QPoint origin = {});

  TPen Pen;
  TBrush Brush;
  TFont Font;

  QImage* Image() const { return image_; }
  QPoint Origin() const { return origin_; }
  int Scale() const { return scale_; }  // device pixels per logical pixel
  // The pop-up (or other window) this canvas paints for; nullptr: none.
  QWidget* Window() const { return window_; }
  void SetWindow(QWidget* window) { window_ = window; }

  int BitsPerPixel() const;
  void SetBitsPerPixel(int bits) { bitsPerPixel_ = bits; }  // 0: the image's own depth
  TColor GetNearestColor(TColor color) const;
  int BkMode() const { return bkMode_; }
  void SetBkMode(int mode) { bkMode_ = mode; }
  void ExcludeClipRect(const TRect& rect);
  const QRegion& ClipRegion() const { return clip_; }

  // The top-left device pixel of a logical pixel; CLR_INVALID outside the clip region.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  void FillRect(const TRect& rect);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void Ellipse(int left, int top, int right, int bottom);
  void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
  void LineTo(int x, int y);
  QPoint PenPos() const { return penPos_; }

  int TextWidth(const QString& text) const;
  int TextHeight(const QString& text) const;
  // Text with its reference point (top left of the unturned text) at (x, y),
  // turned by the font's escapement; the background is filled under a solid brush.
  void TextOut(int x, int y, const QString& text);
  // Text in a rectangle: DT_LEFT / DT_RIGHT / DT_CENTER, DT_RTLREADING, "&"
  // marking the access key unless DT_NOPREFIX, clipped unless DT_NOCLIP.
  // The background is filled in OPAQUE mode. Returns the text height.
  int DrawText(const QString& text, const TRect& rect, unsigned format);

  // A picture at (x, y), leaving out its transparent colour when it is transparent.
  void Draw(int x, int y, const TBitmap& bitmap);
  // Sets every pixel under the picture at (x, y) that is not of the picture's
  // transparent colour to `color`: the picture's silhouette.
  void DrawMask(int x, int y, const TBitmap& bitmap, TColor color);
  // An image with alpha at (x, y), blended through its alpha.
  void DrawImage(int x, int y, const QImage& image);
  // StretchBlt, SRCCOPY: `from` of `source` onto `to` of this canvas.
  void CopyRect(const TRect& to, const TCanvas& source, const TRect& from);
  void BitBlt(int x, int y, int width, int height, const TCanvas& source, int sx, int sy);
  void DrawEdge(const TRect& rect, unsigned edge, unsigned flags);

 private:
  template <typename F>
  void ForEachClipped(const TRect& rect, F&& fill);
  // Every device pixel of the picture's place at (x, y), with the picture's
  // pixel over it: set(image position, picture pixel).
  template <typename F>
  void ForEachPicturePixel(int x, int y, const TBitmap& bitmap, F&& set);
  void Fill(const TRect& rect, TColor color);
  void Plot(int x, int y, unsigned rgb);          // the block of a logical pixel
  void PlotDevice(int ix, int iy, unsigned rgb);  // one image pixel
  QRgb Raw(int x, int y) const;                   // image pixel at canvas point, no clip test
  QRgb RawDevice(int ix, int iy) const;
  int DeviceX(int x) const { return (x - origin_.x()) * scale_; }
  int DeviceY(int y) const { return (y - origin_.y()) * scale_; }
  bool Inside(int x, int y) const;
  void Begin(QPainter& painter) const;
  QPen ShapePen() const;
  QRectF ShapeRect(int left, int top, int right, int bottom) const;
  unsigned Device(TColor color) const;  // the QRgb the device stores for a colour

  QImage* image_;
  QPoint origin_;
  int scale_ = 1;
  QRegion clip_;
  QWidget* window_ = nullptr;
  QPoint penPos_;
  int bitsPerPixel_ = 0;
  int bkMode_ = OPAQUE;
};

}  // namespace ui
