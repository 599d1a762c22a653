#include "ui/menu/TImageList.h"

#include <QPixmap>

#include "ui/menu/TCanvas.h"

namespace ui {

TImageList::TImageList(int width, int height) : width_(width), height_(height) {}

void TImageList::Add(const QImage& image) {
  QImage picture = image.convertToFormat(QImage::Format_ARGB32);
  if (picture.width() != width_ || picture.height() != height_)
    picture = picture.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  images_.push_back(picture);
}

QIcon TImageList::Icon(int index) const {
  if (index < 0 || index >= Count()) return {};
  return QIcon(QPixmap::fromImage(images_[index]));
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  canvas.DrawImage(x, y, images_[index]);
}

}  // namespace ui
