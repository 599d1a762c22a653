#include "store/SqliteBackend.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

#include "store/CellReader.h"
#include "store/FieldValue.h"
#include "store/SelectStatement.h"
#include "store/SqliteRowSource.h"
#include "store/Statement.h"
#include "store/StoreError.h"

namespace store {

namespace {

constexpr int kBusyTimeoutMs = 5000;

std::string OriginalsCondition(const std::vector<SourceColumn>& columns) {
  std::string condition = " where _rowid_ = ?";
  for (const SourceColumn& column : columns) condition += " and " + QuoteIdentifier(column.name) + " is ?";
  return condition;
}

// The row identity, then every value the row was read with, each in its column's type.
void BindOriginals(Statement& statement, int first, const std::vector<SourceColumn>& columns,
                   std::int64_t rowId, const RowCache::Cell* originals) {
  statement.BindInt64(first, rowId);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const RowCache::Cell& cell = originals[c];
    BindStoredValue(statement, first + 1 + static_cast<int>(c), columns[c].kind,
                    cell.null ? std::nullopt : std::optional<std::string_view>({cell.data, cell.size}));
  }
}

void BindValues(Statement& statement, const std::vector<SourceColumn>& columns,
                const std::vector<ColumnValue>& values) {
  for (std::size_t i = 0; i < values.size(); ++i)
    BindStoredValue(statement, static_cast<int>(i) + 1, columns[values[i].column].kind, values[i].value);
}

// Every database file starts with this text. SQLite would take an empty file
// for a new database and write into it, so a file without it is refused
// before SQLite opens it, and stays as it was.
void RequireDatabaseFile(const std::string& source) {
  static constexpr char kHeader[] = "SQLite format 3";  // with its terminating zero: 16 bytes
  std::array<char, sizeof kHeader> start{};
  std::ifstream file(source, std::ios::binary);
  if (!file) throw StoreError("Cannot read the file '" + source + "'.");
  file.read(start.data(), start.size());
  std::string where = std::filesystem::absolute(source).string();
  if (file.gcount() == 0) throw StoreError("The file '" + where + "' is empty: it is not a database.");
  if (file.gcount() != static_cast<std::streamsize>(start.size()) ||
      !std::equal(start.begin(), start.end(), kHeader))
    throw StoreError("The file '" + where + "' is not a database.");
}

}  // namespace

SqliteBackend::SqliteBackend(const std::string& path, bool readOnly) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    throw StoreError("Could not find file '" + std::filesystem::absolute(path, error).string() + "'.");
  RequireDatabaseFile(path);
  int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw StoreError(message);
  }
  try {
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // Reading the journal mode also proves that the file is a database.
    Execute(db_, readOnly ? "pragma schema_version" : "pragma journal_mode=wal");
  } catch (...) {
    sqlite3_close(db_);
    throw;
  }
}

SqliteBackend::~SqliteBackend() { sqlite3_close_v2(db_); }

std::unique_ptr<RowSource> SqliteBackend::Select(const SelectStatement& statement, const Parameters& params) {
  return std::make_unique<SqliteRowSource>(db_, statement.WithRowId(), params);
}

// The written row as the file now holds it (defaults, conversions), so that
// its next post compares against the real values; the values written when it
// cannot be read back.
StoredRow SqliteBackend::StoredAs(const std::string& table, std::size_t columns, std::int64_t rowId,
                                  const std::vector<ColumnValue>& written) {
  StoredRow row{rowId, std::vector<std::optional<std::string>>(columns)};
  try {
    Statement statement(db_, "select _rowid_, * from " + table + " where _rowid_ = ?");
    statement.BindInt64(1, rowId);
    if (static_cast<std::size_t>(sqlite3_column_count(statement.Handle()) - 1) == columns &&
        statement.Step()) {
      CellReader reader(statement.Handle(), static_cast<int>(columns));
      const RowCache::Cell* cells = reader.Read(statement.Handle());
      for (std::size_t c = 0; c < columns; ++c)
        if (!cells[c].null) row.values[c] = std::string(cells[c].data, cells[c].size);
      return row;
    }
  } catch (const StoreError&) {
  }
  for (const ColumnValue& value : written)
    if (value.value) row.values[value.column] = std::string(*value.value);
  return row;
}

StoredRow SqliteBackend::Insert(const std::string& table, const std::vector<SourceColumn>& columns,
                                const std::vector<ColumnValue>& values) {
  std::string names, marks;
  for (const ColumnValue& value : values) {
    names += (names.empty() ? "" : ", ") + QuoteIdentifier(columns[value.column].name);
    marks += marks.empty() ? "?" : ", ?";
  }
  Statement statement(db_,
                      "insert into " + table +
                          (values.empty() ? " default values" : " (" + names + ") values (" + marks + ")"));
  BindValues(statement, columns, values);
  statement.Step();
  return StoredAs(table, columns.size(), sqlite3_last_insert_rowid(db_), values);
}

std::optional<StoredRow> SqliteBackend::Update(const std::string& table,
                                               const std::vector<SourceColumn>& columns,
                                               const std::vector<ColumnValue>& values, std::int64_t rowId,
                                               const RowCache::Cell* originals) {
  std::string assignments;
  for (const ColumnValue& value : values)
    assignments += (assignments.empty() ? "" : ", ") + QuoteIdentifier(columns[value.column].name) + " = ?";
  Statement statement(db_, "update " + table + " set " + assignments + OriginalsCondition(columns));
  BindValues(statement, columns, values);
  BindOriginals(statement, static_cast<int>(values.size()) + 1, columns, rowId, originals);
  statement.Step();
  if (sqlite3_changes(db_) == 0) return std::nullopt;
  // Columns not written keep what was read.
  std::vector<ColumnValue> known;
  for (std::size_t c = 0; c < columns.size(); ++c)
    known.push_back({static_cast<int>(c), originals[c].null ? std::nullopt
                                                            : std::optional<std::string_view>(
                                                                  {originals[c].data, originals[c].size})});
  for (const ColumnValue& value : values) known[value.column] = value;
  return StoredAs(table, columns.size(), rowId, known);
}

bool SqliteBackend::Delete(const std::string& table, const std::vector<SourceColumn>& columns,
                           std::int64_t rowId, const RowCache::Cell* originals) {
  Statement statement(db_, "delete from " + table + OriginalsCondition(columns));
  BindOriginals(statement, 1, columns, rowId, originals);
  statement.Step();
  return sqlite3_changes(db_) > 0;
}

void SqliteBackend::Begin() { Execute(db_, "begin immediate"); }

void SqliteBackend::Commit() { Execute(db_, "commit"); }

void SqliteBackend::Rollback() {
  if (sqlite3_get_autocommit(db_)) return;  // SQLite already rolled back after a failure
  try {
    Execute(db_, "rollback");
  } catch (const StoreError&) {
  }
}

bool SqliteBackend::InTransaction() const { return !sqlite3_get_autocommit(db_); }

void SqliteBackend::InsertRows(const std::string& table, const std::vector<SourceColumn>& columns,
                               std::span<const ValueRow> rows) {
  std::string names, marks;
  for (const SourceColumn& column : columns) {
    names += (names.empty() ? "" : ", ") + QuoteIdentifier(column.name);
    marks += marks.empty() ? "?" : ", ?";
  }
  Statement statement(db_, "insert into " + table + " (" + names + ") values (" + marks + ")");
  for (const ValueRow& row : rows) {
    for (std::size_t c = 0; c < columns.size(); ++c)
      BindStoredValue(statement, static_cast<int>(c) + 1, columns[c].kind,
                      row[c] ? std::optional<std::string_view>(*row[c]) : std::nullopt);
    statement.Step();
    sqlite3_reset(statement.Handle());
  }
}

std::int64_t SqliteBackend::Run(const std::string& sql, const std::vector<BoundValue>& values) {
  Statement statement(db_, sql);
  for (std::size_t i = 0; i < values.size(); ++i)
    BindStoredValue(statement, static_cast<int>(i) + 1, values[i].kind, values[i].value);
  statement.Step();
  return sqlite3_changes(db_);
}

std::string SqliteBackend::Identifier(std::string_view name) const { return QuoteIdentifier(name); }

void SqliteBackend::Savepoint() { Execute(db_, "savepoint linked_rows"); }

void SqliteBackend::ReleaseSavepoint() { Execute(db_, "release linked_rows"); }

void SqliteBackend::UndoSavepoint() {
  try {
    Execute(db_, "rollback to linked_rows");
    Execute(db_, "release linked_rows");
  } catch (const StoreError&) {
    // SQLite already rolled the writes back.
  }
}

}  // namespace store
