#pragma once

#include <memory>
#include <optional>
#include <string>

#include "store/RowSource.h"
#include "store/sqlite/CellReader.h"
#include "store/sqlite/Statement.h"

struct sqlite3;

namespace store {
class Parameters;
}

namespace store::sqlite {

// The rows of one SQLite statement whose first column is the row identity.
// SQLite holds a read transaction while the statement has rows left, which is
// the snapshot: it ends when the statement is finalized.
class SqliteRows : public RowSource {
 public:
  SqliteRows(sqlite3* db, const std::string& sql, const Parameters& params);

  const std::vector<SourceColumn>& Columns() const override { return columns_; }
  bool Read(RowCache& rows, int limit) override;

 private:
  std::unique_ptr<Statement> statement_;
  std::vector<SourceColumn> columns_;
  std::optional<CellReader> reader_;
};

}  // namespace store::sqlite
