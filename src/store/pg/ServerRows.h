#pragma once

#include <vector>

#include "store/Backend.h"
#include "store/pg/PgResult.h"

namespace store::pg {

// A server result read as a record set reads rows: the row identity in its
// first column, the table's columns after it.
class ServerRows : public RowSource {
 public:
  explicit ServerRows(PgResult result);

  const std::vector<ColumnInfo>& Columns() const override { return columns_; }
  bool Next() override;
  std::int64_t RowId() const override;
  const RowCache::Cell* Cells() override;
  int Count() const { return result_.Rows(); }

 private:
  PgResult result_;
  std::vector<ColumnInfo> columns_;
  std::vector<RowCache::Cell> cells_;
  int row_ = -1;
};

}  // namespace store::pg
