#pragma once

#include <string>
#include <vector>

namespace store {

class Connection;

// One quotation as the register lists it; dates as stored (ISO), the subtotal
// as the sum of the stored line totals ("" when no line has one).
struct RegisterRow {
  std::string custNo;
  std::string custName;
  std::string number;
  std::string date;
  std::string validUntil;
  std::string sales;
  std::string currency;
  std::string taxType;
  std::string taxRate;
  int lineCount = 0;
  std::string subtotal;
};

// Which quotations the register shows. `text` is looked for, as a plain
// substring (case and all), in the customer's number, short and full name,
// the quotation number, the salesperson and the lines' products and
// specifications; the dates bound the quotation date (ISO, either may be empty).
struct RegisterFilter {
  std::string text;
  std::string from;
  std::string to;
};

// Every quotation with its customer and its lines' count and sum, read
// through a connection. The lines' figures come from a summary the store keeps
// itself (WorkspaceSql); Prepare makes it the first time a database is used so.
class QuotationRegister {
 public:
  explicit QuotationRegister(Connection& connection);

  // Makes the summary, its upkeep and the searches' indexes when missing.
  static void Prepare(Connection& connection);

  // Newest quotation date first, then by number.
  std::vector<RegisterRow> Find(const RegisterFilter& filter) const;

  // The text a search looks for: control characters (the summary's separators
  // among them) taken out.
  static std::string SearchTerm(const std::string& typed);

 private:
  Connection& connection_;
};

}  // namespace store
