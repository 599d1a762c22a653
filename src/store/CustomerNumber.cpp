#include "store/CustomerNumber.h"

#include <cctype>
#include <climits>

#include "store/StoreError.h"

namespace store {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Numbers are UTF-8 text and are read by characters: a first character such
// as "客" takes three bytes.
std::size_t NextCharacter(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  ++pos;
  while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
  return pos;
}

// The text a failed conversion quotes: characters 2 to 4, less the first of
// two leading zeros.
std::string QuotedSerial(std::string_view serial) {
  if (serial.size() >= 2 && serial[0] == '0' && serial[1] == '0') serial.remove_prefix(1);
  return std::string(serial);
}

[[noreturn]] void NotAnInteger(std::string_view serial) {
  throw StoreError("'" + QuotedSerial(serial) + "' is not a valid integer value");
}

}  // namespace

// The serial sits after the first character, so the statement sorts on the
// number there (SQLite's cast reads its leading digits: "012AB" is 12, "0A1" is
// 0) and the highest serial comes last; equal serials fall back on the text.
std::string NextCustNoQuery() {
  return "select * from customer order by cast(substr(cust_no, 2) as integer), cust_no";
}

std::string NextCustNo(std::string_view last) {
  // Nothing after the first character: no serial to continue from.
  const std::size_t second = NextCharacter(last, 0);
  if (second >= last.size()) return "S001";
  std::size_t fifth = second;
  for (int i = 0; i < 3; ++i) fifth = NextCharacter(last, fifth);
  std::string_view serial = last.substr(second, fifth - second);
  for (char c : serial)
    if (!IsDigit(c)) NotAnInteger(serial);
  // Digits that go on past the fourth character belong to the serial (S1000).
  std::size_t end = fifth;
  while (end < last.size() && IsDigit(last[end])) ++end;
  serial = last.substr(second, end - second);
  long long value = 0;
  for (char c : serial) {
    value = value * 10 + (c - '0');
    if (value >= INT_MAX) NotAnInteger(serial);  // the next serial would not fit
  }
  int next = static_cast<int>(value) + 1;
  std::string digits = std::to_string(next);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return "S" + digits;
}

}  // namespace store
