#include "windows/LifeCaptions.h"

#include <utility>

#include "documents/QuotationDocument.h"
#include "store/Text.h"
#include "store/life/QuotationLife.h"
#include "store/life/StateCaption.h"

namespace {

constexpr std::pair<const char*, const char*> kFields[] = {
    {"Cust_no", "客戶編號"},
    {"quotation_number", "報價單號"},
    {"pay_mode", "付款方式"},
    {"pay_condition", "付款條件"},
    {"consign_mode", "交貨方式"},
    {"money_type", "幣別"},
    {"tax_type", "稅別"},
    {"tax_rate", "稅率"},
    {"quotation_date", "報價日期"},
    {"availability_date", "有效日期"},
    {"sales", "業務員"},
    {"state", "狀態"},
    {"reason", "婉拒原因"},
    {"revision", "版本"},
};

constexpr std::pair<const char*, const char*> kWhats[] = {
    {store::life::what::kCreated, "建立"},         {store::life::what::kHeader, "修改表頭"},
    {store::life::what::kLineAdded, "新增明細"},   {store::life::what::kLineChanged, "修改明細"},
    {store::life::what::kLineDeleted, "刪除明細"}, {store::life::what::kState, "狀態"},
    {store::life::what::kIssued, "發出"},          {store::life::what::kRevision, "新版本"},
    {store::life::what::kDeleted, "刪除"},
};

template <std::size_t N>
QString Find(const std::pair<const char*, const char*> (&names)[N], const std::string& key) {
  for (const auto& [name, caption] : names)
    if (store::SameText(name, key)) return QString::fromUtf8(caption);
  return QString::fromStdString(key);
}

}  // namespace

// Line columns are titled as the printed quotation titles them.
QString LifeCaptions::Field(const std::string& column) {
  for (const documents::LineColumn& line : documents::kLineColumns)
    if (store::SameText(line.field, column)) return QString::fromUtf8(line.title);
  return Find(kFields, column);
}

QString LifeCaptions::What(const std::string& what) { return Find(kWhats, what); }

QString LifeCaptions::Value(const std::string& field, const std::optional<std::string>& value) {
  if (!value) return {};
  if (field == "state")
    if (auto state = store::life::StateNamed(*value))
      return QString::fromUtf8(store::life::StateCaption(*state).data(),
                               static_cast<qsizetype>(store::life::StateCaption(*state).size()));
  return QString::fromStdString(*value);
}
