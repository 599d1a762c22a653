#include "store/QuotationNumbers.h"

#include <algorithm>

#include "store/Backend.h"
#include "store/Connection.h"
#include "store/WorkspaceSql.h"

namespace store {

namespace {

// The pattern around its serial, the date's parts put in.
struct Expanded {
  std::string before;
  int width = 0;
  std::string after;
};

Expanded Expand(const std::string& pattern, const std::string& isoDate) {
  const std::string year = isoDate.substr(0, 4), month = isoDate.substr(5, 2), day = isoDate.substr(8, 2);
  Expanded out;
  std::string* into = &out.before;
  for (std::size_t at = 0; at < pattern.size();) {
    const std::size_t close = pattern[at] == '{' ? pattern.find('}', at) : std::string::npos;
    const std::string token = close == std::string::npos ? "" : pattern.substr(at + 1, close - at - 1);
    if (token == "yyyy" || token == "yy" || token == "mm" || token == "dd") {
      *into += token == "yyyy" ? year : token == "yy" ? year.substr(2) : token == "mm" ? month : day;
    } else if (!token.empty() && out.width == 0 && token.find_first_not_of('#') == std::string::npos) {
      out.width = static_cast<int>(token.size());
      into = &out.after;
    } else {
      *into += pattern[at++];
      continue;
    }
    at = close + 1;
  }
  return out;
}

std::string Padded(long long serial, int width) {
  std::string digits = std::to_string(serial);
  return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(digits.size()))), '0') +
         digits;
}

// The serial a number carries under the pattern; 0 when it is not one of its numbers.
long long SerialOf(const std::string& number, const Expanded& pattern) {
  if (number.size() <
          pattern.before.size() + pattern.after.size() + static_cast<std::size_t>(pattern.width) ||
      !number.ends_with(pattern.after))
    return 0;
  std::string digits =
      number.substr(pattern.before.size(), number.size() - pattern.before.size() - pattern.after.size());
  if (digits.size() > 18 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::stoll(digits);
}

}  // namespace

QuotationNumbers::QuotationNumbers(Connection& connection) : connection_(connection) {}

std::string QuotationNumbers::Next(const std::string& pattern, const std::string& isoDate) const {
  Expanded parts = Expand(pattern.empty() ? kDefaultPattern : pattern, isoDate);
  if (parts.width == 0) parts.width = 1;  // a pattern without a serial still numbers
  Backend& store = connection_.Store();
  const std::string column = "quotation_number" + store.Workspace().codePointOrder;
  long long highest = 0;
  for (const TextRow& row :
       store.Rows("select quotation_number from Quomaster where " + column + " >= ? and " + column + " < ?",
                  {{FieldKind::Text, parts.before}, {FieldKind::Text, AfterPrefix(parts.before)}}))
    if (row[0]) highest = std::max(highest, SerialOf(*row[0], parts));
  std::string number;
  do number = parts.before + Padded(++highest, parts.width) + parts.after;
  while (Taken(number));
  return number;
}

bool QuotationNumbers::Taken(const std::string& number) const {
  Backend& store = connection_.Store();
  return !store
              .Rows("select 1 from Quomaster where quotation_number" + store.Workspace().codePointOrder +
                        " = ?",
                    {{FieldKind::Text, number}})
              .empty();
}

}  // namespace store
