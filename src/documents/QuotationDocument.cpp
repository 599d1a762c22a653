#include "documents/QuotationDocument.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace documents {

namespace {

int DecimalsOf(const std::string& text) {
  if (text.find_first_of("eE") != std::string::npos) return 6;
  const auto point = text.find('.');
  return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

}  // namespace

DocumentValue QuotationDocument::Total() const {
  double sum = 0;
  int decimals = 0;
  for (const DocumentLine& line : lines) {
    const DocumentValue& total = line[kTotalColumn];
    if (!total.number) continue;
    sum += *total.number;
    decimals = std::max(decimals, DecimalsOf(total.shown));
  }
  decimals = std::min(decimals, 10);
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(sum * scale) / scale;
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, rounded == 0 ? 0.0 : rounded);
  return DocumentValue::Number(rounded, text);
}

std::string QuotationDocument::TotalLabel() const {
  std::string label = "合計";
  if (!currency.empty()) label.append("（").append(currency).append("）");
  return label;
}

}  // namespace documents
