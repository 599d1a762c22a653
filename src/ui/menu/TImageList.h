#pragma once

#include <QIcon>
#include <QImage>
#include <vector>

namespace ui {

class TCanvas;

// A list of same-sized pictures (transparent where alpha is 0), shared by a
// toolbar and menus.
class TImageList {
 public:
  TImageList(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }
  // Scaled to the list's size when it differs. `large`, when given, is the
  // same picture at twice the resolution (scaled to twice the size), for
  // screens with a device pixel ratio of 2.
  void Add(const QImage& image, const QImage& large = {});
  const QImage& Image(int index) const { return images_[index]; }
  // The picture for a device pixel ratio of `scale`: from 2 on the large one,
  // where there is one.
  const QImage& Image(int index, int scale) const;
  QIcon Icon(int index) const;
  // Draws picture `index` at (x, y) through its mask, in the canvas's resolution.
  void Draw(TCanvas& canvas, int x, int y, int index) const;

 private:
  int width_;
  int height_;
  std::vector<QImage> images_;
  std::vector<QImage> large_;
};

}  // namespace ui
