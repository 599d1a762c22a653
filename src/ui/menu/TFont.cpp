#include "ui/menu/TFont.h"

#include <QFontInfo>
#include <cmath>

namespace ui {

QFont TFont::ToQFont() const {
  QFont font(Name);
  // A positive height is the cell height, about an eighth more than the em.
  const int pixels = Height < 0 ? -Height : std::max(1, static_cast<int>(std::lround(Height * 0.875)));
  font.setPixelSize(std::max(1, pixels));
  font.setBold(Bold());
  font.setItalic((Styles & fsItalic) != 0);
  font.setUnderline((Styles & fsUnderline) != 0);
  font.setStrikeOut((Styles & fsStrikeOut) != 0);
  return font;
}

void TFont::TakeFrom(const QFont& font) {
  Name = font.family();
  int pixels = font.pixelSize();
  if (pixels <= 0) pixels = QFontInfo(font).pixelSize();
  Height = -pixels;
  Styles = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
           (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0);
}

}  // namespace ui
