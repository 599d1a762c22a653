#pragma once

#include <optional>
#include <string>
#include <vector>

namespace documents {

// The money figures under a quotation's lines: the subtotal of the stored line
// totals, the tax that the tax type and rate call for, and the total with tax.
// Worked out in exact decimal arithmetic (a double would make 0.1 + 0.2 into
// 0.30000000000000004); each figure is rounded half to even to `decimals`
// places, the tax from the rounded subtotal. No Qt, no store: any window or
// document can use it.
class QuotationTotals {
 public:
  // Added: tax is charged on top of the prices (應稅). The others charge none:
  // the prices already hold it (含稅), are exempt (免稅) or zero-rated (零稅),
  // or the tax type is empty or unknown.
  enum class TaxKind { Added, Included, Exempt, ZeroRated, Unknown };

  // `lineTotals` as stored; texts that are not numbers (empty, null) count as
  // nothing. `taxRate` is a fraction ("0.05" for 5 %). Throws std::range_error
  // when a value has more than 20 whole digits or a figure outgrows the arithmetic.
  QuotationTotals(const std::vector<std::string>& lineTotals, const std::string& taxType,
                  const std::string& taxRate, int decimals = 2);

  static TaxKind KindOf(const std::string& taxType);

  TaxKind Kind() const { return kind_; }
  // True when a tax is added: an added tax type with a rate that is a number.
  bool ChargesTax() const { return rate_.has_value(); }
  // Figures with exactly `decimals` places: "3260.00", "-1.50".
  const std::string& Subtotal() const { return subtotal_; }
  const std::string& Tax() const { return tax_; }  // "0.00" when none is charged
  const std::string& Total() const { return total_; }
  // The rate as a percentage, "5%", "5.5%"; empty when no tax is charged.
  std::string RatePercent() const;

  // A figure's text as a number, for cells that hold numbers.
  static double ValueOf(const std::string& figure);

 private:
  TaxKind kind_;
  std::optional<std::string> rate_;  // the rate's digits, as a fraction
  std::string subtotal_;
  std::string tax_;
  std::string total_;
};

}  // namespace documents
