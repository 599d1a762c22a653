#pragma once

#include <array>
#include <string>
#include <vector>

#include "documents/DocumentValue.h"
#include "documents/QuotationTotals.h"

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

// A row under the lines: a label and its figure, or a note alone (no figure).
struct TotalRow {
  std::string label;
  std::string figure;
};

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
  std::string taxType;
  std::string taxRate;

  QuotationTotals Totals() const;
  // With a tax added: 小計, 營業稅 at its rate and 含稅總計. Otherwise 合計 and
  // a note saying what the prices are (tax included, exempt, zero-rated, or
  // no tax worked out). Labels carry the currency: "小計（NTD）".
  std::vector<TotalRow> TotalRows() const;
};

}  // namespace documents
