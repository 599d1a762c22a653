#include "documents/SheetRowHeight.h"

#include <algorithm>
#include <cmath>

namespace documents {

namespace {

// Word breaks leave part of a line empty: a line is taken to hold a tenth less.
constexpr double kFill = 0.9;

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

// The code point that starts at text[at], and moves `at` past it.
char32_t Next(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int i = 0; i < extra && at < text.size(); ++i)
    c = (c << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
  return c;
}

int LinesOfParagraph(double units, double capacity) {
  return std::max(1, static_cast<int>(std::ceil(units / capacity)));
}

}  // namespace

int SheetRowHeight::Lines(std::string_view text, double width) {
  const double capacity = std::max(1.0, (width - 1) * kFill);
  int lines = 0;
  double units = 0;
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = Next(text, at);
    if (c == '\n') {
      lines += LinesOfParagraph(units, capacity);
      units = 0;
    } else {
      units += IsWide(c) ? 2 : 1;
    }
  }
  return lines + LinesOfParagraph(units, capacity);
}

double SheetRowHeight::Points(int lines) { return std::min(kMaxPoints, lines * kLinePoints); }

}  // namespace documents
