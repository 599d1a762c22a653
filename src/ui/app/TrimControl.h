#pragma once

#include <QString>

namespace ui {

// The text with every character whose code is below 33 (blanks and control
// characters) removed from both ends: how search and lookup text is cleaned
// before it is bound into a statement.
QString TrimControl(const QString& text);

}  // namespace ui
