#pragma once

#include <array>
#include <string>
#include <vector>

#include "documents/DocumentValue.h"

namespace documents {

struct LabelledValue {
  std::string label;
  DocumentValue value;
};

// A line column of the document: its field and the line grid's title for it.
struct LineColumn {
  const char* field;
  const char* title;
};

inline constexpr std::array<LineColumn, 9> kLineColumns{{
    {"serial_number", "序號"},
    {"name_number", "品名/品號"},
    {"standard", "規格"},
    {"width", "寬"},
    {"high", "高"},
    {"length", "長"},
    {"amount", "數量"},
    {"price", "單價"},
    {"totle", "總金額"},
}};
inline constexpr int kTotalColumn = 8;

using DocumentLine = std::array<DocumentValue, kLineColumns.size()>;

// One quotation as it is stored: its customer, its header and its lines in
// line-number order. Built by QuotationReader; read by the page layout and
// the spreadsheet writer.
struct QuotationDocument {
  static constexpr const char* kTitle = "報價單";

  std::string quotationNumber;
  std::vector<LabelledValue> customer;
  std::vector<LabelledValue> header;
  std::vector<DocumentLine> lines;
  std::string currency;

  // The sum of the stored line totals, shown with as many decimals as the
  // most precise of them, so that 0.1 + 0.2 reads "0.3".
  DocumentValue Total() const;
  // "合計（NTD）": the total's label with the currency.
  std::string TotalLabel() const;
};

}  // namespace documents
