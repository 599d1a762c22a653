#include "store/jet/JetValues.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace store::jet {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kAccessEpochUnixDays = -25569;

struct Civil {
  std::int64_t year;
  unsigned month, day;
};

// The proleptic Gregorian date of a day counted from 1970-01-01.
Civil CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned day = doy - (153 * mp + 2) / 5 + 1;
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2), month, day};
}

}  // namespace

std::optional<std::string> AccessDateText(double days) {
  if (!std::isfinite(days) || std::fabs(days) > 3.0e6) return std::nullopt;
  std::int64_t whole = static_cast<std::int64_t>(std::trunc(days));
  std::int64_t seconds = std::llround(std::fabs(days - static_cast<double>(whole)) * kSecondsPerDay);
  if (seconds == kSecondsPerDay) {  // rounds up to the next midnight
    seconds = 0;
    ++whole;
  }
  const Civil date = CivilFromDays(whole + kAccessEpochUnixDays);
  if (date.year < 1 || date.year > 9999) return std::nullopt;
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d", static_cast<int>(date.year), date.month,
                date.day, static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                static_cast<int>(seconds % 60));
  return std::string(text);
}

std::string CurrencyText(std::int64_t tenThousandths) {
  const bool negative = tenThousandths < 0;
  // Unsigned, so that the most negative value has a magnitude too.
  const std::uint64_t magnitude =
      negative ? ~static_cast<std::uint64_t>(tenThousandths) + 1 : static_cast<std::uint64_t>(tenThousandths);
  char text[32];
  std::snprintf(text, sizeof text, "%s%llu.%04llu", negative ? "-" : "",
                static_cast<unsigned long long>(magnitude / 10000),
                static_cast<unsigned long long>(magnitude % 10000));
  return text;
}

std::string SingleText(float value) {
  char text[400];
  return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr);
}

}  // namespace store::jet
