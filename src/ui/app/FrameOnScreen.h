#pragma once

#include <QRect>

class QWidget;

namespace ui {

// Where a top-level window's outer rectangle goes on a screen whose available
// area is `available`: where it was designed when it fits, else moved just far
// enough to lie inside, and no larger than the area (a window that cannot be
// maximised would otherwise keep its lower edge out of reach).
QRect FrameOnScreen(const QRect& designed, const QRect& available);

// The same for a top-level window already shown, its frame included, on the
// screen it is on.
void KeepOnScreen(QWidget* window);

}  // namespace ui
