#include "documents/DocumentValue.h"

#include <charconv>
#include <cmath>

#include "store/DateFormat.h"

namespace documents {

DocumentValue DocumentValue::Of(const store::Field& field) {
  DocumentValue value;
  value.kind = field.Kind();
  value.shown = field.AsString();
  if (field.IsNull()) return value;
  if (value.kind == store::FieldKind::Integer || value.kind == store::FieldKind::Float)
    value.number = ParseNumber(value.shown);
  if (value.kind == store::FieldKind::Date)
    if (auto iso = store::DateFormat::Current().ToIso(value.shown)) value.date = ParseIsoDate(*iso);
  return value;
}

DocumentValue DocumentValue::Text(std::string text) {
  return {store::FieldKind::Text, std::move(text), {}, {}};
}

DocumentValue DocumentValue::Number(double value, std::string shown) {
  return {store::FieldKind::Float, std::move(shown), value, {}};
}

std::optional<double> ParseNumber(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<CalendarDate> ParseIsoDate(const std::string& text) {
  CalendarDate date;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const char* begin = text.data();
  if (std::from_chars(begin, begin + 4, date.year).ptr != begin + 4 ||
      std::from_chars(begin + 5, begin + 7, date.month).ptr != begin + 7 ||
      std::from_chars(begin + 8, begin + 10, date.day).ptr != begin + 10)
    return std::nullopt;
  return date;
}

}  // namespace documents
