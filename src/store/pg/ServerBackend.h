#pragma once

#include <map>
#include <memory>
#include <string>

#include "store/Backend.h"
#include "store/pg/PgConnection.h"
#include "store/pg/ServerStatements.h"

namespace store::pg {

// The record sets' store on a PostgreSQL server, over one session.
class ServerBackend : public Backend {
 public:
  explicit ServerBackend(std::string uri);  // connects at once

  PgConnection& Session() { return connection_; }

  std::unique_ptr<RowSource> Select(const SelectStatement& statement, const Parameters& params) override;
  StoredRow Insert(const std::string& table, const std::vector<SourceColumn>& columns,
                   const std::vector<ColumnValue>& values) override;
  std::optional<StoredRow> Update(const std::string& table, const std::vector<SourceColumn>& columns,
                                  const std::vector<ColumnValue>& values, std::int64_t rowId,
                                  const RowCache::Cell* originals) override;
  bool Delete(const std::string& table, const std::vector<SourceColumn>& columns, std::int64_t rowId,
              const RowCache::Cell* originals) override;

  std::int64_t Run(const std::string& sql, const std::vector<BoundValue>& values) override;
  std::vector<TextRow> Rows(const std::string& sql, const std::vector<BoundValue>& values) override;
  const WorkspaceSql& Workspace() const override;  // ServerWorkspace.cpp
  std::string Identifier(std::string_view name) const override;
  const char* RowIdColumn() const override { return kRowIdColumn; }
  // One aggregate query, the rule as a pattern.
  std::optional<int> HighestCustomerSerial() override;
  std::string UserName() override;
  const std::vector<std::string>& LifeTableStatements() const override;

  void Begin() override { connection_.Begin(); }
  void Commit() override { connection_.Commit(); }
  void Rollback() override { connection_.Rollback(); }
  bool InTransaction() const override { return connection_.InTransaction(); }
  // A savepoint needs a transaction on the server: outside one it starts one.
  void Savepoint() override;
  void ReleaseSavepoint() override;
  void UndoSavepoint() override;

 private:
  // A table's statements, its columns read from the catalogue once per connection.
  const ServerStatements& StatementsFor(const std::string& table);

  PgConnection connection_;
  bool ownTransaction_ = false;  // begun by Savepoint
  std::map<std::string, std::unique_ptr<ServerStatements>> tables_;
};

}  // namespace store::pg
