#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/Backend.h"
#include "store/RowSource.h"
#include "store/pg/PgResult.h"

namespace store::pg {

// A server result read as a record set reads rows: the row identity in its
// first column, the table's columns after it. The server sends the whole
// result at once, from one snapshot of the database.
class ServerRows : public RowSource {
 public:
  explicit ServerRows(PgResult result);

  const std::vector<SourceColumn>& Columns() const override { return columns_; }
  bool Read(RowCache& rows, int limit) override;

 private:
  std::string_view Cell(int row, int column);

  PgResult result_;
  std::vector<SourceColumn> columns_;
  std::vector<RowCache::Cell> cells_;
  std::vector<std::string> numbers_;  // a double's plain form, per column, until the row is added
  int next_ = 0;
};

// The first row of a write's result, as stored; nothing when there is none.
std::optional<StoredRow> FirstRow(const PgResult& result);

}  // namespace store::pg
