#include "ui/app/LegibleColor.h"

#include <algorithm>

#include "ui/menu/ColorContrast.h"
#include "ui/menu/TColor.h"

namespace ui {

namespace {

constexpr int kLightnessStep = 4;

// Styles shade what they draw behind headers and group boxes from the
// palette's colour, lighter or darker: the ink has to read on all of it.
double WorstContrast(const QColor& ink, const QColor& background) {
  double worst = 21;
  for (const QColor& shade : {background, background.lighter(140), background.darker(115)})
    worst = std::min(worst, ContrastRatio(FromQColor(ink), FromQColor(shade)));
  return worst;
}

}  // namespace

QColor LegibleOn(const QColor& ink, const QColor& background) {
  const bool darken = RelativeLuminance(FromQColor(background)) > 0.18;
  QColor shade = ink.toHsl();
  for (int lightness = shade.lightness(); WorstContrast(shade, background) < kReadableContrast;) {
    lightness += darken ? -kLightnessStep : kLightnessStep;
    if (lightness < 0 || lightness > 255) return darken ? QColor(Qt::black) : QColor(Qt::white);
    shade.setHsl(shade.hslHue(), shade.hslSaturation(), lightness, shade.alpha());
  }
  return shade.toRgb();
}

}  // namespace ui
