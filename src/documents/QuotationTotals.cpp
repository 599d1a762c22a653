#include "documents/QuotationTotals.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace documents {

namespace {

__extension__ typedef __int128 Wide;

// Decimals kept from a stored value; a double written out in full has more,
// none of them a matter of money.
constexpr int kMaxScale = 18;
constexpr int kMaxDigits = 38;  // what a Wide holds in full
constexpr int kMaxExponent = 400;
constexpr int kMaxWholeDigits = 20;
constexpr const char* kTooLarge = "金額過大，無法計算合計。";

Wide Pow10(int power) {
  Wide value = 1;
  for (int i = 0; i < power; ++i) value *= 10;
  return value;
}

void Check(bool overflowed) {
  if (overflowed) throw std::range_error(kTooLarge);
}

// units / 10^scale.
struct Decimal {
  Wide units = 0;
  int scale = 0;
};

Decimal Rescaled(Decimal value, int scale) {
  if (scale >= value.scale) {
    Wide units = 0;
    Check(scale - value.scale > kMaxDigits ||
          __builtin_mul_overflow(value.units, Pow10(scale - value.scale), &units));
    return {units, scale};
  }
  const int drop = value.scale - scale;
  if (drop > kMaxDigits) return {0, scale};
  // Half to even on the magnitude, which rounds either sign alike.
  const Wide divisor = Pow10(drop);
  const Wide magnitude = value.units < 0 ? -value.units : value.units;
  Wide kept = magnitude / divisor;
  const Wide rest = magnitude % divisor;
  if (rest > divisor / 2 || (rest == divisor / 2 && kept % 2 == 1)) ++kept;
  return {value.units < 0 ? -kept : kept, scale};
}

Decimal Sum(Decimal a, Decimal b) {
  const int scale = std::max(a.scale, b.scale);
  a = Rescaled(a, scale);
  b = Rescaled(b, scale);
  Wide units = 0;
  Check(__builtin_add_overflow(a.units, b.units, &units));
  return {units, scale};
}

Decimal Product(Decimal a, Decimal b) {
  Wide units = 0;
  Check(__builtin_mul_overflow(a.units, b.units, &units));
  return {units, a.scale + b.scale};
}

// The digits of a number and where its point stands: "-12.5e1" is 125 with
// the point after three digits.
struct Digits {
  bool negative = false;
  std::string digits;
  int point = 0;
};

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

std::optional<Digits> Split(std::string_view text) {
  text = Trimmed(text);
  Digits result;
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) result.negative = text[at++] == '-';
  bool seenPoint = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c >= '0' && c <= '9') {
      result.digits += c;
      if (!seenPoint) ++result.point;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (result.digits.empty()) return std::nullopt;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    int exponent = 0;
    const char* first = text.data() + at + 1;
    if (first < text.data() + text.size() && *first == '+') ++first;
    const auto [stop, error] = std::from_chars(first, text.data() + text.size(), exponent);
    if (error != std::errc() || std::abs(exponent) > kMaxExponent) return std::nullopt;
    result.point += exponent;
    at = static_cast<std::size_t>(stop - text.data());
  }
  if (at != text.size()) return std::nullopt;
  return result;
}

// Keeps at most kMaxScale decimals, rounded half to even from the digits dropped.
std::optional<Decimal> Parse(const std::string& text) {
  const std::optional<Digits> split = Split(text);
  if (!split) return std::nullopt;
  const std::string& digits = split->digits;
  const auto first = digits.find_first_not_of('0');
  if (first != std::string::npos && split->point - static_cast<int>(first) > kMaxWholeDigits)
    throw std::range_error(kTooLarge);
  const int scale = std::clamp(static_cast<int>(digits.size()) - split->point, 0, kMaxScale);
  const int kept = std::max(0, split->point + scale);
  Decimal value{0, scale};
  for (int i = 0; i < kept; ++i) {
    const int digit = i < static_cast<int>(digits.size()) ? digits[i] - '0' : 0;
    Check(__builtin_mul_overflow(value.units, 10, &value.units));
    value.units += digit;
  }
  if (kept < static_cast<int>(digits.size())) {
    const int guard = digits[kept] - '0';
    const bool sticky = digits.find_first_not_of('0', kept + 1) != std::string::npos;
    if (guard > 5 || (guard == 5 && (sticky || value.units % 2 == 1))) ++value.units;
  }
  if (split->negative) value.units = -value.units;
  return value;
}

std::string Text(Decimal value) {
  const bool negative = value.units < 0;
  Wide magnitude = negative ? -value.units : value.units;
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    magnitude /= 10;
  } while (magnitude != 0);
  if (static_cast<int>(digits.size()) <= value.scale) digits.insert(0, value.scale + 1 - digits.size(), '0');
  if (value.scale > 0) digits.insert(digits.size() - value.scale, ".");
  return negative ? "-" + digits : digits;
}

// The rate with no trailing zeros after its point.
Decimal Shortest(Decimal value) {
  while (value.scale > 0 && value.units % 10 == 0) value = {value.units / 10, value.scale - 1};
  return value;
}

struct KindName {
  const char* name;
  QuotationTotals::TaxKind kind;
};

constexpr std::array<KindName, 9> kKindNames{{
    {"應稅", QuotationTotals::TaxKind::Added},
    {"外加", QuotationTotals::TaxKind::Added},
    {"應稅外加", QuotationTotals::TaxKind::Added},
    {"含稅", QuotationTotals::TaxKind::Included},
    {"內含", QuotationTotals::TaxKind::Included},
    {"應稅內含", QuotationTotals::TaxKind::Included},
    {"免稅", QuotationTotals::TaxKind::Exempt},
    {"零稅", QuotationTotals::TaxKind::ZeroRated},
    {"零稅率", QuotationTotals::TaxKind::ZeroRated},
}};

}  // namespace

QuotationTotals::QuotationTotals(const std::vector<std::string>& lineTotals, const std::string& taxType,
                                 const std::string& taxRate, int decimals)
    : kind_(KindOf(taxType)) {
  Decimal subtotal{0, decimals};
  for (const std::string& line : lineTotals)
    if (const std::optional<Decimal> value = Parse(line)) subtotal = Sum(subtotal, *value);
  subtotal = Rescaled(subtotal, decimals);
  Decimal tax{0, decimals};
  if (const std::optional<Decimal> rate = Parse(taxRate); rate && kind_ == TaxKind::Added) {
    rate_ = Text(Shortest(*rate));
    tax = Rescaled(Product(subtotal, *rate), decimals);
  }
  subtotal_ = Text(subtotal);
  tax_ = Text(tax);
  total_ = Text(Sum(subtotal, tax));
}

QuotationTotals::TaxKind QuotationTotals::KindOf(const std::string& taxType) {
  const std::string_view trimmed = Trimmed(taxType);
  for (const KindName& entry : kKindNames)
    if (trimmed == entry.name) return entry.kind;
  return TaxKind::Unknown;
}

std::string QuotationTotals::RatePercent() const {
  if (!rate_) return {};
  return Text(Shortest(Product(*Parse(*rate_), {100, 0}))) + "%";
}

double QuotationTotals::ValueOf(const std::string& figure) {
  double value = 0;
  std::from_chars(figure.data(), figure.data() + figure.size(), value);
  return value;
}

}  // namespace documents
