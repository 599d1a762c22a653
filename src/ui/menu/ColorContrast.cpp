#include "ui/menu/ColorContrast.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return 0.2126 * Linear(GetRValue(rgb)) + 0.7152 * Linear(GetGValue(rgb)) + 0.0722 * Linear(GetBValue(rgb));
}

double ContrastRatio(TColor a, TColor b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace ui
