#include "ui/menu/TBitmap.h"

#include <QPainter>
#include <algorithm>

namespace ui {

TBitmap::TBitmap() { Rebuild(); }

TBitmap::TBitmap(int width, int height, int scale) { SetSize(width, height, scale); }

TBitmap::TBitmap(const QImage& image) { Assign(image); }

void TBitmap::Rebuild() {
  image_.setDevicePixelRatio(scale_);
  canvas_ = std::make_unique<TCanvas>(&image_);
}

void TBitmap::SetSize(int width, int height, int scale) {
  scale_ = std::max(1, scale);
  image_ = QImage(std::max(0, width) * scale_, std::max(0, height) * scale_, QImage::Format_RGB32);
  image_.fill(Qt::white);
  Rebuild();
}

void TBitmap::Assign(const TBitmap& other) {
  image_ = other.image_.copy();
  scale_ = other.scale_;
  transparent_ = other.transparent_;
  Rebuild();
}

void TBitmap::Assign(const QImage& image) {
  scale_ = std::max(1, qRound(image.devicePixelRatio()));
  if (image.isNull()) {
    image_ = QImage();
  } else if (!image.hasAlphaChannel()) {
    image_ = image.convertToFormat(QImage::Format_RGB32);
  } else {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb corner = argb.pixel(0, argb.height() - 1);
    // A transparent corner becomes a colour of its own that the picture
    // does not otherwise use, so transparency survives flattening.
    const QColor key = qAlpha(corner) < 128 ? QColor(255, 0, 255) : QColor::fromRgb(corner | 0xFF000000u);
    image_ = QImage(argb.size(), QImage::Format_RGB32);
    image_.fill(key);
    for (int y = 0; y < argb.height(); ++y)
      for (int x = 0; x < argb.width(); ++x)
        if (qAlpha(argb.pixel(x, y)) >= 128) image_.setPixel(x, y, argb.pixel(x, y) | 0xFF000000u);
  }
  Rebuild();
}

void TBitmap::ConvertPixels(const std::function<TColor(TColor)>& convert) {
  for (int y = 0; y < image_.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    for (int x = 0; x < image_.width(); ++x) {
      const TColor rgb =
          canvas_->GetNearestColor(convert(RGB(qRed(line[x]), qGreen(line[x]), qBlue(line[x]))));
      line[x] = qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    }
  }
}

QRgb TBitmap::TransparentColor() const {
  if (Empty()) return 0;
  return image_.pixel(0, image_.height() - 1) | 0xFF000000u;
}

}  // namespace ui
