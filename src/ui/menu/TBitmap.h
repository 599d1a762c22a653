#pragma once

#include <QImage>
#include <memory>

#include "ui/menu/TCanvas.h"

namespace ui {

// A picture with its own canvas. Drawn transparent, it leaves out the colour
// of its bottom-left pixel.
class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);
  explicit TBitmap(const QImage& image);
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  bool Empty() const { return image_.isNull() || image_.width() == 0 || image_.height() == 0; }
  void SetSize(int width, int height);  // new contents are white
  void Assign(const TBitmap& other);
  // Pixels with alpha are laid over the colour of the bottom-left pixel when
  // that one is transparent, so that they stay transparent here.
  void Assign(const QImage& image);
  TCanvas& Canvas() { return *canvas_; }
  const TCanvas& Canvas() const { return *canvas_; }
  const QImage& Image() const { return image_; }

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on) { transparent_ = on; }
  QRgb TransparentColor() const;

 private:
  void Rebuild();

  QImage image_;
  std::unique_ptr<TCanvas> canvas_;
  bool transparent_ = false;
};

}  // namespace ui
