#include "store/life/QuotationState.h"

#include <charconv>
#include <ctime>

namespace store::life {

namespace {

constexpr std::string_view kNames[] = {"Draft", "Issued", "Accepted", "Declined", "Cancelled", "Expired"};

bool Digits(std::string_view text, int& value) {
  return std::from_chars(text.data(), text.data() + text.size(), value).ptr == text.data() + text.size();
}

std::string Padded(unsigned value, std::size_t width) {
  std::string digits = std::to_string(value);
  return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

}  // namespace

std::string_view StateName(QuotationState state) { return kNames[static_cast<int>(state)]; }

std::optional<QuotationState> StateNamed(std::string_view name) {
  for (int state = 0; state < static_cast<int>(std::size(kNames)); ++state)
    if (kNames[state] == name) return static_cast<QuotationState>(state);
  return std::nullopt;
}

bool ChangeAllowed(QuotationState from, QuotationState to) {
  using enum QuotationState;
  switch (from) {
    case Issued:
      return to == Accepted || to == Declined || to == Cancelled;
    case Accepted:
    case Declined:
      return to == Issued;
    default:
      return false;
  }
}

QuotationState ShownState(QuotationState stored, std::string_view validUntil,
                          std::chrono::year_month_day today) {
  if (stored != QuotationState::Issued) return stored;
  std::optional<std::chrono::year_month_day> until = ParseIsoDate(validUntil.substr(0, 10));
  return until && std::chrono::sys_days(*until) < std::chrono::sys_days(today) ? QuotationState::Expired
                                                                               : stored;
}

std::chrono::year_month_day LocalDate(std::chrono::system_clock::time_point instant) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(instant);
  std::tm local{};
  localtime_r(&seconds, &local);
  return std::chrono::year_month_day(std::chrono::year(local.tm_year + 1900),
                                     std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                     std::chrono::day(static_cast<unsigned>(local.tm_mday)));
}

std::chrono::year_month_day LocalToday() { return LocalDate(std::chrono::system_clock::now()); }

std::optional<std::chrono::year_month_day> ParseIsoDate(std::string_view text) {
  int year = 0, month = 0, day = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !Digits(text.substr(0, 4), year) ||
      !Digits(text.substr(5, 2), month) || !Digits(text.substr(8, 2), day))
    return std::nullopt;
  std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                   std::chrono::day(static_cast<unsigned>(day))};
  if (!date.ok()) return std::nullopt;
  return date;
}

std::string IsoDate(std::chrono::year_month_day day) {
  return Padded(static_cast<unsigned>(static_cast<int>(day.year())), 4) + "-" +
         Padded(static_cast<unsigned>(day.month()), 2) + "-" + Padded(static_cast<unsigned>(day.day()), 2);
}

}  // namespace store::life
