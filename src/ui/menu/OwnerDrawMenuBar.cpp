#include "ui/menu/OwnerDrawMenuBar.h"

#include <QStyleOptionMenuItem>

namespace ui {

OwnerDrawMenuBar::OwnerDrawMenuBar(QWidget* parent) : QMenuBar(parent) {}

void OwnerDrawMenuBar::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
  QMenuBar::initStyleOption(option, action);
  styledAction_ = action;
}

}  // namespace ui
