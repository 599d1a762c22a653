#include "ui/menu/MenuStyle.h"

#include <QWidget>

namespace ui {

MenuStyle::MenuStyle() = default;

MenuStyle* MenuStyle::Instance() {
  // Shared by every owner-drawn menu for the life of the program.
  static MenuStyle* style = new MenuStyle;
  return style;
}

void MenuStyle::Install(QWidget* menuWidget, bool on) {
  if (!menuWidget) return;
  if (on && menuWidget->style() != Instance())
    menuWidget->setStyle(Instance());
  else if (!on && menuWidget->style() == Instance())
    menuWidget->setStyle(nullptr);
}

int MenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize MenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                  const QWidget* widget) const {
  return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
  QProxyStyle::drawControl(element, option, painter, widget);
}

void MenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

}  // namespace ui
