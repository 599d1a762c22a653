#pragma once

#include <string>
#include <vector>

namespace store {

// One line as the workspace edits it, its texts as the record sets show them;
// its number is its place in the draft.
struct DraftLine {
  std::string product, spec, width, high, length, amount, price, total;
  bool operator==(const DraftLine&) const = default;
};

// A quotation's header and lines as the workspace edits them, the dates in the
// user's format.
struct QuotationDraft {
  std::string custNo, number, payMode, payCondition, consignMode, currency, taxType, taxRate, date,
      validUntil, sales;
  std::vector<DraftLine> lines;
  bool operator==(const QuotationDraft&) const = default;
};

}  // namespace store
