#include "store/CustomerNumber.h"

#include <cctype>
#include <climits>
#include <optional>

#include "store/Backend.h"
#include "store/Connection.h"
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

// Long values are quoted by their start only, so a message stays readable.
std::string Shortened(std::string_view text) {
  constexpr int kQuotedCharacters = 20;
  std::size_t end = 0;
  for (int i = 0; i < kQuotedCharacters && end < text.size(); ++i) end = NextCharacter(text, end);
  if (end >= text.size()) return std::string(text);
  return std::string(text.substr(0, end)) + "…";
}

enum class Reading { NoSerial, Serial, NotAnInteger, TooLarge, Highest };

struct SerialReading {
  Reading reading = Reading::NoSerial;
  std::string_view text;  // what a failure quotes
  int value = 0;
};

// Characters 2 to 4 must be digits; digits that go on past the fourth
// character belong to the serial too (S1000).
SerialReading ReadSerial(std::string_view number) {
  const std::size_t second = NextCharacter(number, 0);
  if (second >= number.size()) return {};
  std::size_t fifth = second;
  for (int i = 0; i < 3; ++i) fifth = NextCharacter(number, fifth);
  std::string_view serial = number.substr(second, fifth - second);
  for (char c : serial)
    if (!IsDigit(c)) return {Reading::NotAnInteger, serial};
  std::size_t end = fifth;
  while (end < number.size() && IsDigit(number[end])) ++end;
  serial = number.substr(second, end - second);
  long long value = 0;
  for (char c : serial) {
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return {Reading::TooLarge, serial};
  }
  if (value == INT_MAX) return {Reading::Highest, serial};
  return {Reading::Serial, serial, static_cast<int>(value)};
}

// The text a failed conversion quotes: characters 2 to 4, less the first of
// two leading zeros.
std::string QuotedSerial(std::string_view serial) {
  if (serial.size() >= 2 && serial[0] == '0' && serial[1] == '0') serial.remove_prefix(1);
  return Shortened(serial);
}

std::string NumberAfter(int serial) {
  std::string digits = std::to_string(serial + 1);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return "S" + digits;
}

}  // namespace

std::string NextCustNo(std::string_view last) {
  SerialReading serial = ReadSerial(last);
  switch (serial.reading) {
    case Reading::NoSerial:
      return "S001";
    case Reading::Serial:
      return NumberAfter(serial.value);
    case Reading::Highest:
      throw StoreError("'" + std::string(serial.text) +
                       "' is the highest serial a customer number can hold: the next number does not fit");
    case Reading::NotAnInteger:
    case Reading::TooLarge:
      break;
  }
  throw StoreError("'" + QuotedSerial(serial.text) + "' is not a valid integer value");
}

std::optional<int> CustomerSerial(std::string_view number) {
  const SerialReading serial = ReadSerial(number);
  return serial.reading == Reading::Serial ? std::optional<int>(serial.value) : std::nullopt;
}

std::string NextCustNoInTable(Connection& connection) {
  connection.Open();
  connection.FinishReads();  // the highest serial now, not in a snapshot still being read
  std::optional<int> highest = connection.Store().HighestCustomerSerial();
  return highest ? NumberAfter(*highest) : "S001";
}

}  // namespace store
