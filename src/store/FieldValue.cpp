#include "store/FieldValue.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "store/DateFormat.h"
#include "store/StoreError.h"
#include "store/Text.h"

namespace store {

namespace {

std::string_view Trimmed(std::string_view text) {
  text = TrimBlanks(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

std::string Quoted(std::string_view text, const char* what) {
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "'" + std::string.
  std::string message = "'";
  message.append(text).append("' is not a valid ").append(what);
  return message;
}

}  // namespace

std::optional<double> ParseDouble(std::string_view text) {
  text = Trimmed(text);
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  text = Trimmed(text);
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

char* FormatDouble(double value, char* first) {
  // Fixed notation still picks the fewest digits that read back exactly.
  return std::to_chars(first, first + kFormattedDoubleSize, value, std::chars_format::fixed).ptr;
}

std::string FormatDouble(double value) {
  char buffer[kFormattedDoubleSize];
  return std::string(buffer, FormatDouble(value, buffer));
}

std::optional<std::string> ToStoredValue(FieldKind kind, std::string_view text) {
  if (text.empty()) return std::nullopt;
  switch (kind) {
    case FieldKind::Text:
      return std::string(text);
    case FieldKind::Date: {
      auto iso = DateFormat::Current().ToIso(text);
      if (!iso) throw StoreError(Quoted(text, "date"));
      return iso;
    }
    case FieldKind::Float: {
      auto value = ParseDouble(text);
      if (!value) throw StoreError(Quoted(text, "floating point value"));
      return FormatDouble(*value);
    }
    case FieldKind::Integer: {
      auto value = ParseInteger(text);
      if (!value) throw StoreError(Quoted(text, "integer value"));
      return std::to_string(*value);
    }
  }
  return std::string(text);
}

}  // namespace store
