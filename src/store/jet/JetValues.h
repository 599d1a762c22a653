#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace store::jet {

// An Access Date/Time (days since 1899-12-30; before it the whole days count
// back while the fraction still counts forward from midnight) as
// "YYYY-MM-DDTHH:MM:SS", to the nearest second. Nothing outside the years
// 1..9999 or for a value that is no number.
std::optional<std::string> AccessDateText(double days);

// A Currency value (an integer of ten-thousandths) with exactly four decimals.
std::string CurrencyText(std::int64_t tenThousandths);

// The shortest decimal that reads back as the same float (a Single column).
std::string SingleText(float value);

}  // namespace store::jet
