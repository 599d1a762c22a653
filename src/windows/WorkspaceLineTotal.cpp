#include "windows/WorkspaceLineTotal.h"

#include <cstdlib>

namespace {

__extension__ typedef __int128 Wide;

constexpr int kMaxDigits = 17;  // per factor, so that a product stays within a Wide

// units / 10^scale.
struct Decimal {
  Wide units = 0;
  int scale = 0;
};

std::optional<Decimal> Parse(const std::string& text) {
  std::size_t at = 0, first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  std::string_view s(text.data() + first, last - first + 1);
  Decimal value;
  bool negative = s[0] == '-', point = false;
  int digits = 0;
  for (at = (negative || s[0] == '+') ? 1 : 0; at < s.size(); ++at) {
    if (s[at] == '.' && !point) {
      point = true;
    } else if (s[at] >= '0' && s[at] <= '9' && ++digits <= kMaxDigits) {
      value.units = value.units * 10 + (s[at] - '0');
      value.scale += point ? 1 : 0;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  if (negative) value.units = -value.units;
  return value;
}

Wide Pow10(int power) {
  Wide value = 1;
  while (power-- > 0) value *= 10;
  return value;
}

// Half to even on the magnitude, which rounds either sign alike.
Wide Rounded(Wide units, int drop) {
  if (drop <= 0) return units * Pow10(-drop);
  const Wide divisor = Pow10(drop), magnitude = units < 0 ? -units : units;
  Wide kept = magnitude / divisor;
  const Wide rest = magnitude % divisor;
  if (rest > divisor / 2 || (rest == divisor / 2 && kept % 2 == 1)) ++kept;
  return units < 0 ? -kept : kept;
}

std::string Text(Wide units, int decimals) {
  const bool negative = units < 0;
  Wide magnitude = negative ? -units : units;
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    magnitude /= 10;
  } while (magnitude != 0);
  if (static_cast<int>(digits.size()) <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
  if (decimals > 0) digits.insert(digits.size() - decimals, ".");
  return negative && digits.find_first_not_of("0.") != std::string::npos ? "-" + digits : digits;
}

}  // namespace

std::optional<std::string> WorkspaceLineTotal::Of(const std::string& amount, const std::string& price,
                                                  int decimals) {
  const std::optional<Decimal> a = Parse(amount), p = Parse(price);
  if (!a || !p) return std::nullopt;
  return Text(Rounded(a->units * p->units, a->scale + p->scale - decimals), decimals);
}

bool WorkspaceLineTotal::SameAmount(const std::string& a, const std::string& b) {
  const std::optional<Decimal> x = Parse(a), y = Parse(b);
  if (!x || !y) return a == b;
  const int scale = std::max(x->scale, y->scale);
  return x->units * Pow10(scale - x->scale) == y->units * Pow10(scale - y->scale);
}
