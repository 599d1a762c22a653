#pragma once

#include <QProxyStyle>

namespace ui {

class TMenuItem;

// The bridge from Qt's menu drawing to owner-drawn items: set on every
// owner-drawn menu bar and pop-up, it measures an item through its
// OnMeasureItem and paints it through its OnDrawItem, on an off-screen canvas
// that is then copied onto the menu. Items without those events, and every
// widget that is not one of ours, get the application style.
class MenuStyle : public QProxyStyle {
  Q_OBJECT
 public:
  static MenuStyle* Instance();
  // Sets (on) or removes (off) the style on an owner-drawn menu widget.
  static void Install(QWidget* menuWidget, bool on);
  // The border width of an owner-drawn pop-up: the ring the flat frame is drawn in.
  static constexpr int kPopupBorder = 3;
  // What a pop-up adds to the width an owner-drawn item asks for.
  static constexpr int kCheckMarkWidth = 12;
  // Device pixels per logical pixel that owner-drawn menus are painted with
  // on the widget's screen: its device pixel ratio, rounded up.
  static int DeviceScale(const QWidget* widget);

  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

 private:
  MenuStyle();
};

}  // namespace ui
