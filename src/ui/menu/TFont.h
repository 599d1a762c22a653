#pragma once

#include <QFont>
#include <QString>

#include "ui/menu/TColor.h"

namespace ui {

constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int GB2312_CHARSET = 134;
constexpr int CHINESEBIG5_CHARSET = 136;
constexpr int ARABIC_CHARSET = 178;

// A font as a logical-font record: face, height (negative: character height in
// pixels), colour, style, character set and escapement (tenths of a degree,
// counter-clockwise; 900 runs the text upward).
class TFont {
 public:
  enum Style { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

  QString Name = "MS Sans Serif";
  int Height = -11;
  TColor Color = clWindowText;
  int Styles = 0;
  int Charset = DEFAULT_CHARSET;
  int Escapement = 0;

  bool Bold() const { return (Styles & fsBold) != 0; }
  QFont ToQFont() const;
  // Face, size and weight of a Qt font; colour, character set and escapement stay.
  void TakeFrom(const QFont& font);

  bool operator==(const TFont& other) const = default;
};

}  // namespace ui
