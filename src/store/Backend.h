#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Field.h"
#include "store/RowCache.h"

namespace store {

class Parameters;
struct SelectStatement;

// A column of a table as a record set reads it.
struct ColumnInfo {
  std::string name;
  FieldKind kind;
};

// The rows a statement reads, one at a time, each with its row identity.
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual const std::vector<ColumnInfo>& Columns() const = 0;
  // Moves to the next row; false when there is none.
  virtual bool Next() = 0;
  virtual std::int64_t RowId() const = 0;
  // The current row's cells, valid until the next call of Next.
  virtual const RowCache::Cell* Cells() = 0;
};

// A value of one column, for a write.
struct ColumnValue {
  int column;  // index into the table's columns
  std::optional<std::string_view> value;
};

// What the record sets ask of a store: the SQLite file or the PostgreSQL
// server. Chosen when a connection opens; nothing above the store knows which.
// Writes name rows by their identity and compare every value a row was read
// with, so that a row changed or deleted by another user is never overwritten.
class Backend {
 public:
  virtual ~Backend() = default;

  // The rows of "select * from <table><rest>", its named parameters bound.
  virtual std::unique_ptr<RowSource> Select(const SelectStatement& statement, const Parameters& params) = 0;
  // Each returns the written row as the store now holds it; Update returns
  // nothing when the row no longer holds `originals`.
  virtual std::unique_ptr<RowSource> Insert(const std::string& table, const std::vector<ColumnInfo>& columns,
                                            const std::vector<ColumnValue>& values) = 0;
  virtual std::unique_ptr<RowSource> Update(const std::string& table, const std::vector<ColumnInfo>& columns,
                                            const std::vector<ColumnValue>& values, std::int64_t rowId,
                                            const RowCache::Cell* originals) = 0;
  // False when the row no longer holds `originals`.
  virtual bool Delete(const std::string& table, const std::vector<ColumnInfo>& columns, std::int64_t rowId,
                      const RowCache::Cell* originals) = 0;

  // Transactions do not nest.
  virtual void Begin() = 0;
  virtual void Commit() = 0;
  virtual void Rollback() = 0;  // never throws
};

}  // namespace store
