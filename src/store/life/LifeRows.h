#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Parameters.h"
#include "store/RowCache.h"
#include "store/RowSource.h"
#include "store/life/QuotationKey.h"

namespace store {
class Backend;
}

namespace store::life {

// Every row of one "select * from ..." read at once, its columns found by name
// in any letter case (the server keeps names in lower case).
class LifeRows {
 public:
  LifeRows(Backend& store, const std::string& sql, const Parameters& params);

  int Count() const { return rows_->Size(); }
  const std::vector<SourceColumn>& Columns() const { return columns_; }
  std::optional<std::string> Value(int row, int column) const;
  std::optional<std::string> Value(int row, std::string_view column) const;
  // "" for null.
  std::string Text(int row, std::string_view column) const { return Value(row, column).value_or(""); }

 private:
  std::vector<SourceColumn> columns_;
  std::unique_ptr<RowCache> rows_;
};

// ":customer" and ":number" bound to a quotation's key.
Parameters KeyParameters(const QuotationKey& key);

}  // namespace store::life
