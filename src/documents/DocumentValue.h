#pragma once

#include <optional>
#include <string>

#include "store/Field.h"

namespace documents {

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// One stored value of the quotation: the text the window shows for it, and
// for number and date columns the value itself when the stored text is one.
struct DocumentValue {
  store::FieldKind kind = store::FieldKind::Text;
  std::string shown;
  std::optional<double> number;
  std::optional<CalendarDate> date;

  // The current row's value of a field of an open record set.
  static DocumentValue Of(const store::Field& field);
  static DocumentValue Text(std::string text);
  static DocumentValue Number(double value, std::string shown);
};

// A number when the whole text is one ("12", "-0.5", "1e3").
std::optional<double> ParseNumber(const std::string& text);
// A date from ISO text "YYYY-MM-DD".
std::optional<CalendarDate> ParseIsoDate(const std::string& text);

}  // namespace documents
