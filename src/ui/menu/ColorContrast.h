#pragma once

#include "ui/menu/TColor.h"

namespace ui {

// Legibility of text in the sense of the usual accessibility guidance: the
// relative luminance of an sRGB colour (0 black to 1 white) and the contrast
// ratio of two colours, from 1 (the same) to 21 (black on white). Normal text
// wants a ratio of at least kReadableContrast. System colours are resolved.
constexpr double kReadableContrast = 4.5;
double RelativeLuminance(TColor color);
double ContrastRatio(TColor a, TColor b);

}  // namespace ui
