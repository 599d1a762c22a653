#pragma once

#include <initializer_list>

class QWidget;

namespace store {
class RecordSet;
}

namespace ui {

// Before a window closes or re-queries: when one of the sets holds a pending
// row with changes the user made, ask "Yes / No / Cancel" through the prompt
// seam. Yes posts it (a failure is shown and stops), No drops it, Cancel stops.
// An untouched new row is dropped silently. Returns whether to go on.
bool ResolvePendingRows(QWidget* parent, std::initializer_list<store::RecordSet*> sets);

}  // namespace ui
