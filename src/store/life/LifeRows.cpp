#include "store/life/LifeRows.h"

#include "store/Backend.h"
#include "store/SelectStatement.h"
#include "store/StoreError.h"
#include "store/Text.h"

namespace store::life {

LifeRows::LifeRows(Backend& store, const std::string& sql, const Parameters& params) {
  std::optional<SelectStatement> statement = SelectStatement::Parse(sql);
  if (!statement) throw StoreError("Not a select of one table: " + sql);
  std::unique_ptr<RowSource> source = store.Select(*statement, params);
  columns_ = source->Columns();
  rows_ = std::make_unique<RowCache>(static_cast<int>(columns_.size()));
  while (source->Read(*rows_, 4096)) {
  }
}

std::optional<std::string> LifeRows::Value(int row, int column) const {
  std::optional<std::string_view> value = rows_->Value(row, column);
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

std::optional<std::string> LifeRows::Value(int row, std::string_view column) const {
  for (std::size_t c = 0; c < columns_.size(); ++c)
    if (SameText(columns_[c].name, column)) return Value(row, static_cast<int>(c));
  throw StoreError("Field '" + std::string(column) + "' not found");
}

Parameters KeyParameters(const QuotationKey& key) {
  Parameters params;
  params.Set("customer", key.customer);
  params.Set("number", key.number);
  return params;
}

}  // namespace store::life
