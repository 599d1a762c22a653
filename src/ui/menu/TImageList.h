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
  void Add(const QImage& image);  // scaled to the list's size when it differs
  const QImage& Image(int index) const { return images_[index]; }
  QIcon Icon(int index) const;
  // Draws picture `index` at (x, y) through its mask.
  void Draw(TCanvas& canvas, int x, int y, int index) const;

 private:
  int width_;
  int height_;
  std::vector<QImage> images_;
};

}  // namespace ui
