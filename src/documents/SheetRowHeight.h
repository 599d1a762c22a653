#pragma once

#include <string_view>

namespace documents {

// The height a workbook row needs for texts wrapped in its cells, worked out
// from the texts alone: spreadsheet programs do not fit the rows of a file
// they open, so texts would run over the rows below. Column widths are in
// the spreadsheet's unit, the width of a digit; a CJK character takes two.
class SheetRowHeight {
 public:
  static constexpr double kLinePoints = 16;
  static constexpr double kMaxPoints = 409;  // what the file format allows

  // The lines `text` (UTF-8) wraps into in a column `width` digits wide.
  static int Lines(std::string_view text, double width);
  // The row height in points for that many lines.
  static double Points(int lines);
};

}  // namespace documents
