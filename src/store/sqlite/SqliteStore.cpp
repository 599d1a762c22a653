#include "store/sqlite/SqliteStore.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "store/StoreError.h"
#include "store/Tables.h"
#include "store/life/LifeSchema.h"
#include "store/TargetDatabase.h"
#include "store/sqlite/SqliteBackend.h"
#include "store/sqlite/Statement.h"

namespace store::sqlite {

namespace {

const char* TypeName(FieldKind kind) {
  switch (kind) {
    case FieldKind::Integer:
      return "integer";
    case FieldKind::Float:
      return "real";
    case FieldKind::Date:
      return "date";
    case FieldKind::Text:
      break;
  }
  return "text";
}

struct Database {
  sqlite3* db = nullptr;
  ~Database() { sqlite3_close_v2(db); }
};

void Open(Database& database, const std::string& path, int flags) {
  if (sqlite3_open_v2(path.c_str(), &database.db, flags, nullptr) != SQLITE_OK)
    throw StoreError(database.db ? sqlite3_errmsg(database.db) : "out of memory");
}

// Claimed exclusively: of two creators racing for one name only one goes on,
// and the other's clean-up never touches the winner's file.
void Claim(const std::string& path) {
  std::FILE* claim = std::fopen(path.c_str(), "wx");
  if (!claim) {
    const int reason = errno;
    throw StoreError("Cannot create '" + path +
                     (reason == EEXIST ? std::string("': the file already exists")
                                       : "': " + std::string(std::strerror(reason))));
  }
  std::fclose(claim);
}

long long Count(sqlite3* db, const char* table) {
  Statement statement(db, std::string("select count(*) from ") + table);
  statement.Step();
  return sqlite3_column_int64(statement.Handle(), 0);
}

}  // namespace

std::unique_ptr<Backend> SqliteStore::Open(const std::string& target, bool readOnly) const {
  return std::make_unique<SqliteBackend>(target, readOnly);
}

// A failure half-way removes the file, so that a later attempt does not find
// a damaged file in the way.
void SqliteStore::Create(const std::string& target) const {
  Claim(target);
  try {
    Database database;
    sqlite::Open(database, target, SQLITE_OPEN_READWRITE);
    Execute(database.db, "pragma journal_mode=wal");
    Execute(database.db, CreateTablesSql({TypeName, ""}));
    for (const std::string& statement : life::LifeTableStatements(false)) Execute(database.db, statement);
  } catch (...) {
    Discard(target);
    throw;
  }
}

bool SqliteStore::Prepare(const std::string& target) const {
  std::error_code error;
  if (std::filesystem::exists(target, error)) return false;
  Create(target);
  return true;
}

void SqliteStore::Discard(const std::string& target) const noexcept { RemoveMadeFile(target); }

std::string SqliteStore::Check(const std::string& target) const {
  std::error_code error;
  if (!std::filesystem::is_regular_file(target, error))
    throw StoreError("Could not find file '" + std::filesystem::absolute(target, error).string() + "'.");
  Database database;
  sqlite::Open(database, target, SQLITE_OPEN_READONLY);
  {
    Statement statement(database.db, "pragma integrity_check");
    while (statement.Step()) {
      std::string line = reinterpret_cast<const char*>(sqlite3_column_text(statement.Handle(), 0));
      if (line != "ok") throw StoreError("The database file is damaged: " + line);
    }
  }
  std::string report = "integrity: ok\n";
  for (const TableDescription& table : DatabaseTables())
    report += std::string(table.name) + ": " + std::to_string(Count(database.db, table.name)) + " rows\n";
  for (const char* table : life::kLifeTables) {
    try {
      report += std::string(table) + ": " + std::to_string(Count(database.db, table)) + " rows\n";
    } catch (const StoreError&) {
      report += std::string(table) + ": " + life::kNoLifeTable + "\n";  // a file made before them
    }
  }
  return report;
}

}  // namespace store::sqlite
