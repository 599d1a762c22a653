#include "ui/app/FrameOnScreen.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace ui {

QRect FrameOnScreen(const QRect& designed, const QRect& available) {
  if (available.isEmpty() || available.contains(designed)) return designed;
  QRect placed(designed.topLeft(), designed.size().boundedTo(available.size()));
  placed.moveLeft(
      std::clamp(placed.left(), available.left(), available.left() + available.width() - placed.width()));
  placed.moveTop(
      std::clamp(placed.top(), available.top(), available.top() + available.height() - placed.height()));
  return placed;
}

void KeepOnScreen(QWidget* window) {
  const QRect outer = window->frameGeometry();
  const QRect placed = FrameOnScreen(outer, window->screen()->availableGeometry());
  if (placed == outer) return;
  window->resize(window->size() - (outer.size() - placed.size()));
  window->move(placed.topLeft());
}

}  // namespace ui
