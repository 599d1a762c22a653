#pragma once

#include <QColor>

namespace ui {

// `ink` itself when text in it reads well on `background`, else the nearest
// shade of it that does: darker on a light background, lighter on a dark one,
// hue kept (a red caption stays red). "Reads well" is the accessibility
// minimum of 4.5:1, also on the lighter and darker shades styles draw.
QColor LegibleOn(const QColor& ink, const QColor& background);

}  // namespace ui
