#pragma once

#include <vector>

class QWidget;

namespace ui {

// The controls of a window that Tab visits, in its tab order: shown, enabled,
// taking the focus by Tab, and not a part inside another control (a grid's
// cell editor, a pick list's box, whose control takes its place).
std::vector<QWidget*> TabStops(const QWidget* window);

// The stop after (or before) the one holding the focus, wrapping at either end;
// the first (or last) when the focus is elsewhere. Null when there is none.
QWidget* NextTabStop(const QWidget* window, const QWidget* focus, bool forward);

}  // namespace ui
