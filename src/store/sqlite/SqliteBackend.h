#pragma once

#include <string>

#include "store/Backend.h"

struct sqlite3;

namespace store::sqlite {

class Statement;

// The record sets' store in a SQLite file. Opening never creates the file or
// its tables: a missing file is an error. WAL journaling and a busy timeout
// let several connections and processes share one file.
class SqliteBackend : public Backend {
 public:
  SqliteBackend(const std::string& path, bool readOnly);  // throws StoreError
  ~SqliteBackend() override;
  SqliteBackend(const SqliteBackend&) = delete;
  SqliteBackend& operator=(const SqliteBackend&) = delete;

  sqlite3* Handle() const { return db_; }

  std::unique_ptr<RowSource> Select(const SelectStatement& statement, const Parameters& params) override;
  StoredRow Insert(const std::string& table, const std::vector<SourceColumn>& columns,
                   const std::vector<ColumnValue>& values) override;
  std::optional<StoredRow> Update(const std::string& table, const std::vector<SourceColumn>& columns,
                                  const std::vector<ColumnValue>& values, std::int64_t rowId,
                                  const RowCache::Cell* originals) override;
  bool Delete(const std::string& table, const std::vector<SourceColumn>& columns, std::int64_t rowId,
              const RowCache::Cell* originals) override;

  // One statement prepared for all the rows.
  void InsertRows(const std::string& table, const std::vector<SourceColumn>& columns,
                  std::span<const ValueRow> rows) override;
  std::int64_t Run(const std::string& sql, const std::vector<BoundValue>& values) override;
  std::vector<TextRow> Rows(const std::string& sql, const std::vector<BoundValue>& values) override;
  const WorkspaceSql& Workspace() const override;  // SqliteWorkspace.cpp
  std::string Identifier(std::string_view name) const override;
  const char* RowIdColumn() const override { return "_rowid_"; }
  // One aggregate query, the rule as an SQL function.
  std::optional<int> HighestCustomerSerial() override;
  std::string UserName() override;
  const std::vector<std::string>& LifeTableStatements() const override;

  // Immediate: the write lock is taken at once, so a busy file fails before any change.
  void Begin() override;
  void Commit() override;
  void Rollback() override;
  bool InTransaction() const override;
  void Savepoint() override;
  void ReleaseSavepoint() override;
  void UndoSavepoint() override;

 private:
  StoredRow StoredAs(const std::string& table, std::size_t columns, std::int64_t rowId,
                     const std::vector<ColumnValue>& written);

  sqlite3* db_ = nullptr;
};

}  // namespace store::sqlite
