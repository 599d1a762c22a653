#pragma once

#include <QImage>
#include <functional>
#include <memory>

#include "ui/menu/TCanvas.h"

namespace ui {

// A picture with its own canvas. Drawn transparent, it leaves out the colour
// of its bottom-left pixel. Its size is in logical pixels; at a scale of n it
// holds n x n device pixels for each, like a canvas of that ratio.
class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height, int scale = 1);
  // An image with a device pixel ratio of 2 gives a picture of scale 2.
  explicit TBitmap(const QImage& image);
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return image_.width() / scale_; }
  int Height() const { return image_.height() / scale_; }
  int Scale() const { return scale_; }
  bool Empty() const { return image_.isNull() || image_.width() == 0 || image_.height() == 0; }
  void SetSize(int width, int height, int scale = 1);  // new contents are white
  void Assign(const TBitmap& other);
  // Pixels with alpha are laid over the colour of the bottom-left pixel when
  // that one is transparent, so that they stay transparent here.
  void Assign(const QImage& image);
  TCanvas& Canvas() { return *canvas_; }
  const TCanvas& Canvas() const { return *canvas_; }
  const QImage& Image() const { return image_; }
  // Every stored (device) pixel, row by row and left to right, becomes what
  // `convert` makes of its colour, as the device can show it.
  void ConvertPixels(const std::function<TColor(TColor)>& convert);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on) { transparent_ = on; }
  QRgb TransparentColor() const;

 private:
  void Rebuild();

  QImage image_;
  int scale_ = 1;
  std::unique_ptr<TCanvas> canvas_;
  bool transparent_ = false;
};

}  // namespace ui
