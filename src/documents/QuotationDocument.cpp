#include "documents/QuotationDocument.h"

namespace documents {

namespace {

std::string WithCurrency(const char* label, const std::string& currency) {
  std::string text = label;
  if (!currency.empty()) text.append("（").append(currency).append("）");
  return text;
}

std::string NoteOnPrices(QuotationTotals::TaxKind kind, const std::string& taxType) {
  using Kind = QuotationTotals::TaxKind;
  switch (kind) {
    case Kind::Added:
      return "稅別為應稅，但未填稅率：稅額未計，以上價格為未稅價。";
    case Kind::Included:
      return "以上價格已含稅。";
    case Kind::Exempt:
      return "免稅：以上價格不含稅，不另加稅。";
    case Kind::ZeroRated:
      return "零稅率：以上價格不另加稅。";
    case Kind::Unknown:
      break;
  }
  if (taxType.find_first_not_of(' ') == std::string::npos) return "未填稅別：稅額未計，以上價格為未稅價。";
  return "稅別「" + taxType + "」：稅額未計，以上價格為未稅價。";
}

}  // namespace

QuotationTotals QuotationDocument::Totals() const {
  std::vector<std::string> lineTotals;
  lineTotals.reserve(lines.size());
  for (const DocumentLine& line : lines)
    if (line[kTotalColumn].number) lineTotals.push_back(line[kTotalColumn].shown);
  return QuotationTotals(lineTotals, taxType, taxRate);
}

std::vector<TotalRow> QuotationDocument::TotalRows() const {
  const QuotationTotals totals = Totals();
  if (totals.ChargesTax())
    return {{WithCurrency("小計", currency), totals.Subtotal()},
            {"營業稅 " + totals.RatePercent(), totals.Tax()},
            {WithCurrency("含稅總計", currency), totals.Total()}};
  return {{WithCurrency("合計", currency), totals.Subtotal()}, {NoteOnPrices(totals.Kind(), taxType), ""}};
}

}  // namespace documents
