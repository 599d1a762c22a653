#include "ui/menu/WindowFrame.h"

#include "ui/menu/MenuStyle.h"
#include "ui/menu/OwnerDrawMenu.h"

namespace ui {

WindowFrame::WindowFrame(QWidget* window)
    : window_(window),
      size_(window->size()),
      image_(ScaledImage(window->size(), MenuStyle::DeviceScale(window))),
      canvas_(&image_) {
  // The client area is never shown from here: cleared, not painted.
  image_.fill(0);
  canvas_.ExcludeClipRect(ClientRect());
  DrawClassicBorder();
}

WindowFrame::~WindowFrame() {
  if (auto* menu = qobject_cast<OwnerDrawMenu*>(window_.data())) menu->SetFrame(image_);
}

QImage WindowFrame::ScaledImage(QSize size, int scale) {
  QImage image(size * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  return image;
}

TRect WindowFrame::WindowRect() const { return {0, 0, size_.width(), size_.height()}; }

TRect WindowFrame::ClientRect() const {
  const int border = MenuStyle::kPopupBorder;
  return {border, border, size_.width() - border, size_.height() - border};
}

void WindowFrame::DrawClassicBorder() {
  // What the window system puts there before the painter comes: a raised
  // edge and the menu colour inside it.
  const TRect r = WindowRect();
  canvas_.Brush.Color = clMenu;
  canvas_.FillRect(r);
  canvas_.Brush.Style = bsClear;
  canvas_.Pen.Color = 0xFF000016;  // 3-D light
  canvas_.MoveTo(r.Left, r.Bottom - 1);
  canvas_.LineTo(r.Left, r.Top);
  canvas_.LineTo(r.Right - 1, r.Top);
  canvas_.Pen.Color = 0xFF000015;  // 3-D dark shadow
  canvas_.LineTo(r.Right - 1, r.Bottom - 1);
  canvas_.LineTo(r.Left - 1, r.Bottom - 1);
  canvas_.Pen.Color = clBtnHighlight;
  canvas_.MoveTo(r.Left + 1, r.Bottom - 2);
  canvas_.LineTo(r.Left + 1, r.Top + 1);
  canvas_.LineTo(r.Right - 2, r.Top + 1);
  canvas_.Pen.Color = clBtnShadow;
  canvas_.LineTo(r.Right - 2, r.Bottom - 2);
  canvas_.LineTo(r.Left, r.Bottom - 2);
  canvas_.Brush.Style = bsSolid;
  canvas_.Pen.Color = clBlack;
  canvas_.Brush.Color = clWhite;
}

}  // namespace ui
