#pragma once

#include <string>

namespace store::life {

// A quotation as the windows know it: its header's customer and number.
struct QuotationKey {
  std::string customer;
  std::string number;
  bool operator==(const QuotationKey&) const = default;
};

}  // namespace store::life
