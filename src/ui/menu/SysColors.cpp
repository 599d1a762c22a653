#include "ui/menu/SysColors.h"

#include <QApplication>

namespace ui {

TColor ColorToRGB(TColor color) { return IsSystemColor(color) ? SysColors::Get(color & 0xFF) : color; }

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

SysColors::Table SysColors::Classic() {
  Table t{};
  t[0] = RGB(212, 208, 200);   // scroll bar
  t[1] = RGB(58, 110, 165);    // desktop
  t[2] = RGB(10, 36, 106);     // active caption
  t[3] = RGB(128, 128, 128);   // inactive caption
  t[4] = RGB(212, 208, 200);   // menu
  t[5] = RGB(255, 255, 255);   // window
  t[6] = RGB(0, 0, 0);         // window frame
  t[7] = RGB(0, 0, 0);         // menu text
  t[8] = RGB(0, 0, 0);         // window text
  t[9] = RGB(255, 255, 255);   // caption text
  t[10] = RGB(212, 208, 200);  // active border
  t[11] = RGB(212, 208, 200);  // inactive border
  t[12] = RGB(128, 128, 128);  // application workspace
  t[13] = RGB(10, 36, 106);    // highlight
  t[14] = RGB(255, 255, 255);  // highlight text
  t[15] = RGB(212, 208, 200);  // button face
  t[16] = RGB(128, 128, 128);  // button shadow
  t[17] = RGB(128, 128, 128);  // grey text
  t[18] = RGB(0, 0, 0);        // button text
  t[19] = RGB(212, 208, 200);  // inactive caption text
  t[20] = RGB(255, 255, 255);  // button highlight
  t[21] = RGB(64, 64, 64);     // 3-D dark shadow
  t[22] = RGB(212, 208, 200);  // 3-D light
  t[23] = RGB(0, 0, 0);        // tooltip text
  t[24] = RGB(255, 255, 225);  // tooltip background
  t[25] = RGB(181, 181, 181);
  t[26] = RGB(0, 0, 128);      // hot light
  t[27] = RGB(166, 202, 240);  // gradient active caption
  t[28] = RGB(192, 192, 192);  // gradient inactive caption
  t[29] = RGB(49, 106, 197);   // menu highlight
  t[30] = RGB(236, 233, 216);  // menu bar
  return t;
}

SysColors::Table SysColors::FromPalette(const QPalette& palette) {
  Table t = Classic();
  auto set = [&](int index, QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active) {
    t[index] = FromQColor(palette.color(group, role));
  };
  set(4, QPalette::Window);
  set(5, QPalette::Base);
  set(7, QPalette::WindowText);
  set(8, QPalette::Text);
  set(10, QPalette::Window);
  set(11, QPalette::Window);
  set(13, QPalette::Highlight);
  set(14, QPalette::HighlightedText);
  set(15, QPalette::Button);
  set(16, QPalette::Dark);
  set(17, QPalette::Text, QPalette::Disabled);
  set(18, QPalette::ButtonText);
  set(20, QPalette::Light);
  set(21, QPalette::Shadow);
  set(22, QPalette::Midlight);
  set(23, QPalette::ToolTipText);
  set(24, QPalette::ToolTipBase);
  set(29, QPalette::Highlight);
  set(30, QPalette::Window);
  return t;
}

std::optional<SysColors::Table>& SysColors::Fixed() {
  static std::optional<Table> fixed;
  return fixed;
}

TColor SysColors::Get(int index) {
  if (index < 0 || index >= kCount) return clBlack;
  if (Fixed()) return (*Fixed())[index];
  // Worked out again only when the application palette changes.
  static Table cached;
  static qint64 cachedKey = -1;
  const QPalette palette = QApplication::palette();
  if (palette.cacheKey() != cachedKey) {
    cached = FromPalette(palette);
    cachedKey = palette.cacheKey();
  }
  return cached[index];
}

void SysColors::UseTable(const Table& table) { Fixed() = table; }

void SysColors::UsePalette() { Fixed().reset(); }

}  // namespace ui
