#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/RowCache.h"
#include "store/RowSource.h"

namespace store {

class Parameters;
struct SelectStatement;
struct WorkspaceSql;

// A value of one column, for a write.
struct ColumnValue {
  int column;  // index into the table's columns
  std::optional<std::string_view> value;
};

// A value bound to a "?" of a statement, in its column's type.
struct BoundValue {
  FieldKind kind;
  std::optional<std::string> value;
};

// A row of a query's result, each value as text (nothing for null).
using TextRow = std::vector<std::optional<std::string>>;

// A row as the store holds it after a write (defaults and conversions applied).
struct StoredRow {
  std::int64_t rowId = 0;
  std::vector<std::optional<std::string>> values;
  std::vector<RowCache::Cell> Cells() const;
};

// What the record sets ask of a store: the SQLite file or the PostgreSQL
// server, chosen when a connection opens; nothing above the store knows
// which. Writes name a row by its identity and compare every value it was
// read with, so that a row changed or deleted by another user is never
// overwritten.
class Backend {
 public:
  virtual ~Backend() = default;

  // The rows of "select * from <table><rest>", its named parameters bound.
  virtual std::unique_ptr<RowSource> Select(const SelectStatement& statement, const Parameters& params) = 0;
  virtual StoredRow Insert(const std::string& table, const std::vector<SourceColumn>& columns,
                           const std::vector<ColumnValue>& values) = 0;
  // Nothing when the row no longer holds `originals`.
  virtual std::optional<StoredRow> Update(const std::string& table, const std::vector<SourceColumn>& columns,
                                          const std::vector<ColumnValue>& values, std::int64_t rowId,
                                          const RowCache::Cell* originals) = 0;
  // False when the row no longer holds `originals`.
  virtual bool Delete(const std::string& table, const std::vector<SourceColumn>& columns, std::int64_t rowId,
                      const RowCache::Cell* originals) = 0;

  // Adds rows that hold a value (or null) for each of `columns`, in order: the
  // bulk load of a new database. The default sends multi-row inserts to Run.
  using ValueRow = std::vector<std::optional<std::string>>;
  virtual void InsertRows(const std::string& table, const std::vector<SourceColumn>& columns,
                          std::span<const ValueRow> rows);

  // A statement that returns no rows, its values in place of "?"; returns the
  // number of rows it changed.
  virtual std::int64_t Run(const std::string& sql, const std::vector<BoundValue>& values) = 0;
  // Every row of a query, its values in place of "?", each value in the
  // store's text form (reals as the shortest text that reads back exactly).
  virtual std::vector<TextRow> Rows(const std::string& sql, const std::vector<BoundValue>& values) = 0;
  // The quotation workspace's summary, its upkeep and the pieces of its
  // queries in this store's own SQL (store/WorkspaceSql.h).
  virtual const WorkspaceSql& Workspace() const = 0;
  // A column name written so that the store finds it whatever its letter case.
  virtual std::string Identifier(std::string_view name) const = 0;
  // The name of the row identity in statements.
  virtual const char* RowIdColumn() const = 0;
  // The highest serial of the customer numbers, as CustomerSerial reads
  // them (numbers it refuses take no part); nothing when there is none.
  virtual std::optional<int> HighestCustomerSerial() = 0;
  // Who is making the changes: the operating-system user on a file, the
  // server's role on a server.
  virtual std::string UserName() = 0;
  // The statements that make the quotations' life tables in this store.
  virtual const std::vector<std::string>& LifeTableStatements() const = 0;

  // Transactions do not nest.
  virtual void Begin() = 0;
  virtual void Commit() = 0;
  virtual void Rollback() = 0;  // never throws
  virtual bool InTransaction() const = 0;

  // Writes that stand or fall together, inside a transaction or on their own.
  virtual void Savepoint() = 0;
  virtual void ReleaseSavepoint() = 0;
  virtual void UndoSavepoint() = 0;  // never throws
};

inline std::vector<RowCache::Cell> StoredRow::Cells() const {
  std::vector<RowCache::Cell> cells(values.size());
  for (std::size_t c = 0; c < values.size(); ++c)
    if (values[c]) cells[c] = {values[c]->data(), values[c]->size(), false};
  return cells;
}

}  // namespace store
