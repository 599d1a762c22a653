#pragma once

#include <QLineEdit>
#include <limits>

namespace ui {

// Columns hold text of any length: a box takes the whole of a stored, typed or
// pasted value, not the 32,767 characters a line edit keeps by default.
inline void HoldWholeText(QLineEdit* box) { box->setMaxLength(std::numeric_limits<int>::max()); }

}  // namespace ui
