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

void OwnerDrawMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
  QMenu::initStyleOption(option, action);
  styledAction_ = action;
}

}  // namespace ui
