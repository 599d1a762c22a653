#pragma once

#include <string>
#include <vector>

namespace store {

class Connection;

// An earlier line of a product, as price memory offers it.
struct RememberedPrice {
  bool sameCustomer = false;
  std::string custNo;
  std::string date;  // the header's quotation date, ISO
  std::string number;
  std::string product;
  std::string spec;
  std::string amount;
  std::string price;
};

// The lines quoted before for a product being typed: this customer's first,
// then other customers'. Lines of exactly the typed product come before those
// whose product only starts with it (by product, backwards); the newest line
// of a product first. Each part is one backward walk of an index that stops
// after a few rows, so it can run at each keystroke.
class PriceMemory {
 public:
  explicit PriceMemory(Connection& connection);

  std::vector<RememberedPrice> Recall(const std::string& custNo, const std::string& typed) const;

  static constexpr int kPerGroup = 6;

 private:
  void Add(std::vector<RememberedPrice>& into, const std::string& condition,
           const std::vector<std::string>& values, bool sameCustomer) const;

  Connection& connection_;
};

}  // namespace store
