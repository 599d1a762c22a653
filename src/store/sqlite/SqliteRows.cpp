#include "store/sqlite/SqliteRows.h"

#include <sqlite3.h>

#include "store/FieldValue.h"
#include "store/Parameters.h"
#include "store/sqlite/SqliteValues.h"

namespace store::sqlite {

namespace {

void BindParameters(Statement& statement, const Parameters& params) {
  sqlite3_stmt* stmt = statement.Handle();
  for (int i = 1, count = sqlite3_bind_parameter_count(stmt); i <= count; ++i) {
    const char* name = sqlite3_bind_parameter_name(stmt, i);
    const std::optional<std::string>* value = name ? params.Find(name + 1) : nullptr;
    if (value && *value)
      statement.BindText(i, **value);
    else
      statement.BindNull(i);
  }
}

}  // namespace

SqliteRows::SqliteRows(sqlite3* db, const std::string& sql, const Parameters& params)
    : statement_(std::make_unique<Statement>(db, sql)) {
  BindParameters(*statement_, params);
  sqlite3_stmt* stmt = statement_->Handle();
  const int columns = sqlite3_column_count(stmt) - 1;
  for (int c = 0; c < columns; ++c)
    columns_.push_back(
        {sqlite3_column_name(stmt, c + 1), KindOfDeclaredType(sqlite3_column_decltype(stmt, c + 1))});
  reader_.emplace(stmt, columns);
}

bool SqliteRows::Read(RowCache& rows, int limit) {
  if (!statement_) return false;
  sqlite3_stmt* stmt = statement_->Handle();
  try {
    for (int read = 0; read < limit; ++read) {
      if (!statement_->Step()) {
        statement_.reset();
        return false;
      }
      rows.Add(sqlite3_column_int64(stmt, 0), reader_->Read(stmt));
    }
  } catch (...) {
    statement_.reset();  // a failed step ends the result and its snapshot
    throw;
  }
  return true;
}

}  // namespace store::sqlite
