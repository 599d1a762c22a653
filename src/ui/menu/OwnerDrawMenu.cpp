#include "ui/menu/OwnerDrawMenu.h"

#include <QStyleOptionMenuItem>

namespace ui {

OwnerDrawMenu::OwnerDrawMenu(QWidget* parent) : QMenu(parent) {
  // Every separator keeps its place, leading, trailing and doubled ones too:
  // the side bar spans the heights of all visible items.
  setSeparatorsCollapsible(false);
}

void OwnerDrawMenu::SetFrame(const QImage& frame) {
  if (frame == frame_) return;
  frame_ = frame;
  // The border is painted after the items of the same paint; a frame that
  // changed outside of one needs its own.
  update();
}

void OwnerDrawMenu::BeginPaintPass() {
  static std::uint64_t lastPass = 0;
  paintPass_ = ++lastPass;
}

std::uint64_t OwnerDrawMenu::PaintPassOf(const QWidget* window) {
  const auto* menu = qobject_cast<const OwnerDrawMenu*>(window);
  return menu ? menu->PaintPass() : 0;
}

void OwnerDrawMenu::paintEvent(QPaintEvent* event) {
  BeginPaintPass();
  QMenu::paintEvent(event);
}

void OwnerDrawMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
  QMenu::initStyleOption(option, action);
  styledAction_ = action;
}

}  // namespace ui
