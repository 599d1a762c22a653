#include "ui/menu/TImageList.h"

#include <QPixmap>

#include "ui/menu/TCanvas.h"

namespace ui {

TImageList::TImageList(int width, int height) : width_(width), height_(height) {}

void TImageList::Add(const QImage& image, const QImage& large) {
  QImage picture = image.convertToFormat(QImage::Format_ARGB32);
  if (picture.width() != width_ || picture.height() != height_)
    picture = picture.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  picture.setDevicePixelRatio(1);
  images_.push_back(picture);
  QImage twice;
  if (!large.isNull()) {
    twice = large.convertToFormat(QImage::Format_ARGB32);
    if (twice.width() != 2 * width_ || twice.height() != 2 * height_)
      twice = twice.scaled(2 * width_, 2 * height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    twice.setDevicePixelRatio(2);
  }
  large_.push_back(twice);
}

const QImage& TImageList::Image(int index, int scale) const {
  return scale > 1 && !large_[index].isNull() ? large_[index] : images_[index];
}

QIcon TImageList::Icon(int index) const {
  if (index < 0 || index >= Count()) return {};
  QIcon icon(QPixmap::fromImage(images_[index]));
  if (!large_[index].isNull()) icon.addPixmap(QPixmap::fromImage(large_[index]));
  return icon;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  canvas.DrawImage(x, y, Image(index, canvas.Scale()));
}

}  // namespace ui
