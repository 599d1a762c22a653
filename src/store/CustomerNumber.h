#pragma once

#include <string>
#include <string_view>

namespace store {

// The statement New re-queries before allocating: the whole customer table,
// highest serial last, so that its last row carries the number to continue from.
std::string NextCustNoQuery();

// The number after `last`: "S" and the serial plus one, zero-padded to three
// digits. Fails with "'%s' is not a valid integer value" when the serial does
// not convert; an empty `last` gives S001.
std::string NextCustNo(std::string_view last);

}  // namespace store
