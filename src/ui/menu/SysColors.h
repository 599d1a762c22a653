#pragma once

#include <QPalette>
#include <array>
#include <optional>

#include "ui/menu/TColor.h"

namespace ui {

// The system colours by Windows index (4 menu, 7 menu text, 10 active border,
// 13 highlight, 14 highlight text, 15 button face, 16 button shadow, 20 button
// highlight, ...). They come from the application palette unless a fixed
// table has been put in place (tests do, for exact pixels).
class SysColors {
 public:
  static constexpr int kCount = 31;
  using Table = std::array<TColor, kCount>;

  static TColor Get(int index);
  static void UseTable(const Table& table);
  static void UsePalette();
  static Table FromPalette(const QPalette& palette);
  // The colours of a classic Windows desktop, for fixed tables.
  static Table Classic();

 private:
  static std::optional<Table>& Fixed();
};

}  // namespace ui
