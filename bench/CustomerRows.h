#pragma once

#include <string>

namespace bench {

// The benchmark's customer table, the same on both stores: row `row`'s value
// of column `column` (0..14, in the table's order), "" for null.
std::string CustomerCell(int row, int column);

inline constexpr int kCustomerColumns = 15;

}  // namespace bench
