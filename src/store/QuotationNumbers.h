#pragma once

#include <string>

namespace store {

class Connection;

// Quotation numbers made from a pattern: "{yyyy}", "{yy}", "{mm}" and "{dd}"
// stand for the quotation date's parts, a run of "#" in braces for a serial of
// that many digits (more once it runs out), anything else for itself.
class QuotationNumbers {
 public:
  static constexpr const char* kDefaultPattern = "Q{yyyy}{####}";

  explicit QuotationNumbers(Connection& connection);

  // The pattern's number for `isoDate` with the serial after the highest one
  // in use, never a number any quotation has.
  std::string Next(const std::string& pattern, const std::string& isoDate) const;
  // Whether any quotation, of any customer, has the number.
  bool Taken(const std::string& number) const;

 private:
  Connection& connection_;
};

}  // namespace store
