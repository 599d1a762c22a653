#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "ui/menu/TCanvas.h"

namespace ui {

// A canvas on the border of a pop-up window, standing for a screen canvas
// around it: the window rectangle is (0, 0, width, height), the client area is
// left out of the clip region, and what is drawn shows in the pop-up's border
// ring once the canvas goes. Starts with the classic raised pop-up border.
// It is painted at the window's device pixel ratio.
class WindowFrame {
 public:
  explicit WindowFrame(QWidget* window);
  ~WindowFrame();
  WindowFrame(const WindowFrame&) = delete;
  WindowFrame& operator=(const WindowFrame&) = delete;

  TCanvas& Canvas() { return canvas_; }
  TRect WindowRect() const;
  TRect ClientRect() const;
  const QImage& Picture() const { return image_; }

 private:
  void DrawClassicBorder();
  static QImage ScaledImage(QSize size, int scale);

  QPointer<QWidget> window_;
  QSize size_;  // logical
  QImage image_;
  TCanvas canvas_;
};

}  // namespace ui
