#include "store/DateFormat.h"

#include <cctype>
#include <chrono>
#include <cstdio>

#include "store/Text.h"

namespace store {

namespace {

std::shared_ptr<const DateFormat>& Installed() {
  static std::shared_ptr<const DateFormat> format;
  return format;
}

// Reads 1..maxDigits digits at `pos`; false when there are none.
bool ReadNumber(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
  int digits = 0;
  value = 0;
  while (pos < text.size() && digits < maxDigits && std::isdigit(static_cast<unsigned char>(text[pos]))) {
    value = value * 10 + (text[pos] - '0');
    ++pos;
    ++digits;
  }
  return digits > 0;
}

}  // namespace

std::string DateFormat::ToDisplay(std::string_view iso) const { return std::string(iso); }

// Year, month and day in this order, separated by "-", "/" or ".".
std::optional<std::string> DateFormat::ToIso(std::string_view display) const {
  std::string_view text = TrimBlanks(display);
  std::size_t pos = 0;
  int year = 0, month = 0, day = 0;
  auto separator = [&] {
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '/' || text[pos] == '.')) {
      ++pos;
      return true;
    }
    return false;
  };
  if (!ReadNumber(text, pos, 4, year) || pos != 4 || !separator() || !ReadNumber(text, pos, 2, month) ||
      !separator() || !ReadNumber(text, pos, 2, day) || pos != text.size())
    return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  if (year < 1 || !date.ok()) return std::nullopt;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
  return std::string(buffer);
}

const DateFormat& DateFormat::Current() {
  static const DateFormat fallback;
  const auto& installed = Installed();
  return installed ? *installed : fallback;
}

void DateFormat::Install(std::shared_ptr<const DateFormat> format) { Installed() = std::move(format); }

}  // namespace store
