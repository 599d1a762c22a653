#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace store {

class Connection;

// The number after `last`: "S" and the serial plus one, zero-padded to three
// digits. Fails with "'%s' is not a valid integer value" when the serial does
// not convert, and says so plainly when the serial is the highest there is;
// an empty `last` gives S001.
std::string NextCustNo(std::string_view last);

// The serial NextCustNo continues from; nothing when the number has none or
// NextCustNo refuses it. The stores find the highest by this rule.
std::optional<int> CustomerSerial(std::string_view number);

// The number after the highest serial in the customer table, found by one
// aggregate query. A serial is what NextCustNo reads: numbers it refuses take
// no part, so one odd number never blocks the allocation.
std::string NextCustNoInTable(Connection& connection);

}  // namespace store
