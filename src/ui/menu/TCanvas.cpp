#include "ui/menu/TCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdlib>

#include "ui/menu/TBitmap.h"

namespace ui {

namespace {

constexpr std::array<TColor, 20> kStaticPalette = {
    RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
    RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
    RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
    RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};

TColor NearestInPalette(TColor rgb) {
  TColor best = kStaticPalette[0];
  int bestDistance = 1 << 30;
  for (TColor entry : kStaticPalette) {
    const int dr = GetRValue(entry) - GetRValue(rgb);
    const int dg = GetGValue(entry) - GetGValue(rgb);
    const int db = GetBValue(entry) - GetBValue(rgb);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = entry;
    }
  }
  return best;
}

// Widens an n-bit channel back to eight bits the way a display does.
int Widen(int value, int bits) { return (value << (8 - bits)) | (value >> (2 * bits - 8)); }

TColor FromRaw(QRgb raw) { return RGB(qRed(raw), qGreen(raw), qBlue(raw)); }

bool FastFormat(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32 ||
         image.format() == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

TCanvas::TCanvas(QImage* image, QPoint origin)
    : image_(image),
      origin_(origin),
      scale_(std::max(1, qRound(image->devicePixelRatio()))),
      clip_(QRect(origin, image->size() / scale_)) {}

int TCanvas::BitsPerPixel() const { return bitsPerPixel_ ? bitsPerPixel_ : image_->depth(); }

TColor TCanvas::GetNearestColor(TColor color) const {
  const TColor rgb = ColorToRGB(color) & 0xFFFFFF;
  const int bits = BitsPerPixel();
  if (bits >= 24) return rgb;
  if (bits >= 15) {
    const int green = bits == 16 ? 6 : 5;
    return RGB(Widen(GetRValue(rgb) >> 3, 5), Widen(GetGValue(rgb) >> (8 - green), green),
               Widen(GetBValue(rgb) >> 3, 5));
  }
  return NearestInPalette(rgb);
}

unsigned TCanvas::Device(TColor color) const {
  const TColor rgb = GetNearestColor(color);
  return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

void TCanvas::ExcludeClipRect(const TRect& rect) { clip_ -= rect.ToQRect(); }

bool TCanvas::Inside(int x, int y) const {
  if (clip_.rectCount() == 1) return clip_.boundingRect().contains(x, y);
  return clip_.contains(QPoint(x, y));
}

QRgb TCanvas::RawDevice(int ix, int iy) const {
  if (FastFormat(*image_)) return reinterpret_cast<const QRgb*>(image_->constScanLine(iy))[ix];
  return image_->pixel(ix, iy);
}

QRgb TCanvas::Raw(int x, int y) const { return RawDevice(DeviceX(x), DeviceY(y)); }

void TCanvas::PlotDevice(int ix, int iy, unsigned rgb) {
  if (FastFormat(*image_))
    reinterpret_cast<QRgb*>(image_->scanLine(iy))[ix] = rgb;
  else
    image_->setPixel(ix, iy, rgb);
}

void TCanvas::Plot(int x, int y, unsigned rgb) {
  const int ix = DeviceX(x);
  const int iy = DeviceY(y);
  for (int j = 0; j < scale_; ++j)
    for (int i = 0; i < scale_; ++i) PlotDevice(ix + i, iy + j, rgb);
}

TColor TCanvas::Pixel(int x, int y) const { return Inside(x, y) ? FromRaw(Raw(x, y)) : CLR_INVALID; }

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (Inside(x, y)) Plot(x, y, Device(color));
}

template <typename F>
void TCanvas::ForEachClipped(const TRect& rect, F&& fill) {
  if (rect.IsEmpty()) return;
  const QRect target = rect.ToQRect();
  for (const QRect& part : clip_) {
    const QRect piece = part.intersected(target);
    if (!piece.isEmpty()) fill(piece);
  }
}

void TCanvas::Fill(const TRect& rect, TColor color) {
  const unsigned rgb = Device(color);
  const bool fast = FastFormat(*image_);
  ForEachClipped(rect, [&](const QRect& piece) {
    const int left = DeviceX(piece.left());
    const int right = DeviceX(piece.right() + 1);
    for (int iy = DeviceY(piece.top()); iy < DeviceY(piece.bottom() + 1); ++iy) {
      if (fast) {
        QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(iy));
        std::fill(line + left, line + right, rgb);
      } else {
        for (int ix = left; ix < right; ++ix) PlotDevice(ix, iy, rgb);
      }
    }
  });
}

void TCanvas::FillRect(const TRect& rect) {
  if (Brush.Style == bsSolid) Fill(rect, Brush.Color);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (right - left < 1 || bottom - top < 1) return;
  if (Brush.Style == bsSolid) Fill({left + 1, top + 1, right - 1, bottom - 1}, Brush.Color);
  Fill({left, top, right, top + 1}, Pen.Color);
  Fill({left, bottom - 1, right, bottom}, Pen.Color);
  Fill({left, top, left + 1, bottom}, Pen.Color);
  Fill({right - 1, top, right, bottom}, Pen.Color);
}

void TCanvas::Begin(QPainter& painter) const {
  painter.translate(-origin_);
  painter.setClipRegion(clip_);
  painter.setRenderHint(QPainter::Antialiasing, false);
}

// At ratio 1 the one-pixel hairline through the pixels of the outline; at
// higher ratios an outline a logical pixel wide, laid on those same pixels.
QPen TCanvas::ShapePen() const { return QPen(QColor::fromRgb(Device(Pen.Color)), scale_ > 1 ? 1.0 : 0.0); }

QRectF TCanvas::ShapeRect(int left, int top, int right, int bottom) const {
  const double centre = scale_ > 1 ? 0.5 : 0.0;
  return QRectF(left + centre, top + centre, right - left - 1, bottom - top - 1);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  if (cornerWidth < 2 || cornerHeight < 2) {
    Rectangle(left, top, right, bottom);
    return;
  }
  if (right - left < 1 || bottom - top < 1) return;
  QPainter painter(image_);
  Begin(painter);
  painter.setPen(ShapePen());
  painter.setBrush(Brush.Style == bsSolid ? QBrush(QColor::fromRgb(Device(Brush.Color))) : QBrush());
  painter.drawRoundedRect(ShapeRect(left, top, right, bottom), cornerWidth / 2.0, cornerHeight / 2.0);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  if (right - left < 1 || bottom - top < 1) return;
  QPainter painter(image_);
  Begin(painter);
  painter.setPen(ShapePen());
  painter.setBrush(Brush.Style == bsSolid ? QBrush(QColor::fromRgb(Device(Brush.Color))) : QBrush());
  painter.drawEllipse(ShapeRect(left, top, right, bottom));
}

void TCanvas::LineTo(int x, int y) {
  // Bresenham from the pen position, the end point left out.
  const unsigned rgb = Device(Pen.Color);
  int cx = penPos_.x();
  int cy = penPos_.y();
  const int dx = std::abs(x - cx);
  const int dy = -std::abs(y - cy);
  const int sx = cx < x ? 1 : -1;
  const int sy = cy < y ? 1 : -1;
  int error = dx + dy;
  while (cx != x || cy != y) {
    if (Inside(cx, cy)) Plot(cx, cy, rgb);
    const int e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      cx += sx;
    }
    if (e2 <= dx) {
      error += dx;
      cy += sy;
    }
  }
  penPos_ = QPoint(x, y);
}

int TCanvas::TextWidth(const QString& text) const {
  return QFontMetrics(Font.ToQFont()).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const { return QFontMetrics(Font.ToQFont()).height(); }

void TCanvas::TextOut(int x, int y, const QString& text) {
  const QFont font = Font.ToQFont();
  const QFontMetrics metrics(font);
  QPainter painter(image_);
  Begin(painter);
  painter.translate(x, y);
  painter.rotate(-Font.Escapement / 10.0);
  const QRect box(0, 0, metrics.horizontalAdvance(text), metrics.height());
  if (Brush.Style == bsSolid) painter.fillRect(box, QColor::fromRgb(Device(Brush.Color)));
  painter.setFont(font);
  painter.setPen(QColor::fromRgb(Device(Font.Color)));
  painter.drawText(QPoint(0, metrics.ascent()), text);
}

int TCanvas::DrawText(const QString& text, const TRect& rect, unsigned format) {
  const QFont font = Font.ToQFont();
  int flags = Qt::AlignTop | Qt::AlignAbsolute;
  flags |= (format & DT_RIGHT) ? Qt::AlignRight : (format & DT_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
  if (format & DT_SINGLELINE) {
    flags |= Qt::TextSingleLine;
    if (format & DT_VCENTER) flags = (flags & ~Qt::AlignTop) | Qt::AlignVCenter;
  }
  flags |= (format & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
  QPainter painter(image_);
  Begin(painter);
  if (!(format & DT_NOCLIP)) painter.setClipRect(rect.ToQRect(), Qt::IntersectClip);
  painter.setLayoutDirection((format & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
  painter.setFont(font);
  const QRect bounds = painter.boundingRect(rect.ToQRect(), flags, text);
  if (bkMode_ == OPAQUE) painter.fillRect(bounds, QColor::fromRgb(Device(Brush.Color)));
  painter.setPen(QColor::fromRgb(Device(Font.Color)));
  painter.drawText(rect.ToQRect(), flags, text);
  return bounds.height();
}

template <typename F>
void TCanvas::ForEachPicturePixel(int x, int y, const TBitmap& bitmap, F&& set) {
  if (bitmap.Empty()) return;
  const QImage& source = bitmap.Image();
  const int ratio = bitmap.Scale();
  ForEachClipped({x, y, x + bitmap.Width(), y + bitmap.Height()}, [&](const QRect& piece) {
    for (int iy = DeviceY(piece.top()); iy < DeviceY(piece.bottom() + 1); ++iy) {
      // The picture's pixel under each device pixel, whatever the two ratios.
      const int sy = (iy - DeviceY(y)) * ratio / scale_;
      const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
      for (int ix = DeviceX(piece.left()); ix < DeviceX(piece.right() + 1); ++ix)
        set(QPoint(ix, iy), line[(ix - DeviceX(x)) * ratio / scale_] | 0xFF000000u);
    }
  });
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  const bool transparent = bitmap.Transparent();
  const QRgb key = bitmap.TransparentColor();
  ForEachPicturePixel(x, y, bitmap, [&](QPoint at, QRgb pixel) {
    if (!transparent || pixel != key) PlotDevice(at.x(), at.y(), Device(FromRaw(pixel)));
  });
}

void TCanvas::DrawMask(int x, int y, const TBitmap& bitmap, TColor color) {
  const QRgb key = bitmap.TransparentColor();
  const unsigned rgb = Device(color);
  ForEachPicturePixel(x, y, bitmap, [&](QPoint at, QRgb pixel) {
    if (pixel != key) PlotDevice(at.x(), at.y(), rgb);
  });
}

void TCanvas::DrawImage(int x, int y, const QImage& image) {
  QPainter painter(image_);
  Begin(painter);
  painter.drawImage(QPoint(x, y), image);
}

void TCanvas::CopyRect(const TRect& to, const TCanvas& source, const TRect& from) {
  const int dw = to.Width();
  const int dh = to.Height();
  const int sw = from.Width();
  const int sh = from.Height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  const QRect sourceArea(source.origin_, source.image_->size() / source.scale_);
  // Both sides 32 bits deep: pixels copy as they are.
  const bool direct = FastFormat(*image_) && FastFormat(*source.image_) && BitsPerPixel() >= 24;
  ForEachClipped(to, [&](const QRect& piece) {
    for (int iy = DeviceY(piece.top()); iy < DeviceY(piece.bottom() + 1); ++iy) {
      // Each target pixel takes the source pixel under its centre; within a
      // logical pixel's block, the matching device pixel of the source's block.
      const int y = origin_.y() + iy / scale_;
      const int sy = from.Top + ((2 * (y - to.Top) + 1) * sh) / (2 * dh);
      if (sy < sourceArea.top() || sy > sourceArea.bottom()) continue;
      const int siy = source.DeviceY(sy) + (iy % scale_) * source.scale_ / scale_;
      const QRgb* in = direct ? reinterpret_cast<const QRgb*>(source.image_->constScanLine(siy)) : nullptr;
      QRgb* out = direct ? reinterpret_cast<QRgb*>(image_->scanLine(iy)) : nullptr;
      for (int ix = DeviceX(piece.left()); ix < DeviceX(piece.right() + 1); ++ix) {
        const int x = origin_.x() + ix / scale_;
        const int sx = from.Left + ((2 * (x - to.Left) + 1) * sw) / (2 * dw);
        if (sx < sourceArea.left() || sx > sourceArea.right()) continue;
        const int six = source.DeviceX(sx) + (ix % scale_) * source.scale_ / scale_;
        if (direct)
          out[ix] = in[six] | 0xFF000000u;
        else
          PlotDevice(ix, iy, Device(FromRaw(source.RawDevice(six, siy))));
      }
    }
  });
}

void TCanvas::BitBlt(int x, int y, int width, int height, const TCanvas& source, int sx, int sy) {
  CopyRect({x, y, x + width, y + height}, source, {sx, sy, sx + width, sy + height});
}

void TCanvas::DrawEdge(const TRect& r, unsigned edge, unsigned flags) {
  if (r.IsEmpty()) return;
  TColor topLeft = clBtnShadow;
  TColor bottomRight = clBtnHighlight;
  if (edge & BDR_RAISEDOUTER) std::swap(topLeft, bottomRight);
  if (!(edge & (BDR_SUNKENOUTER | BDR_RAISEDOUTER))) return;
  if (flags & BF_BOTTOM) Fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
  if (flags & BF_RIGHT) Fill({r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
  if (flags & BF_TOP) Fill({r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
  if (flags & BF_LEFT) Fill({r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
}

}  // namespace ui
