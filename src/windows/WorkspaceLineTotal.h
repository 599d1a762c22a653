#pragma once

#include <optional>
#include <string>

// A line's total: quantity times unit price in exact decimals, rounded half
// to even to the currency's decimals. Nothing when either is not a plain
// decimal number (empty, letters, an exponent) or the product is too large.
class WorkspaceLineTotal {
 public:
  static std::optional<std::string> Of(const std::string& amount, const std::string& price, int decimals);
  // Whether two figures are the same number ("15" and "15.00").
  static bool SameAmount(const std::string& a, const std::string& b);
};
