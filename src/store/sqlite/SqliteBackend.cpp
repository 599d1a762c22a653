#include "store/sqlite/SqliteBackend.h"

#include <sqlite3.h>

#include <pwd.h>
#include <unistd.h>

#include <filesystem>

#include "store/CustomerNumber.h"
#include "store/FieldValue.h"
#include "store/SelectStatement.h"
#include "store/StoreError.h"
#include "store/life/LifeSchema.h"
#include "store/sqlite/CellReader.h"
#include "store/sqlite/SqliteRows.h"
#include "store/sqlite/SqliteValues.h"
#include "store/sqlite/Statement.h"

namespace store::sqlite {

namespace {

constexpr int kBusyTimeoutMs = 5000;

// Each value as it was read, in its column's type; a BLOB (which another tool
// may write even into a text column) never equals text, so it is matched by
// the bytes it was read as. Parameters from `first`: the row identity, then
// per column the typed value and the bytes.
std::string OriginalsCondition(const std::vector<SourceColumn>& columns, int first) {
  std::string condition = " where _rowid_ = ?" + std::to_string(first);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const std::string name = QuoteIdentifier(columns[c].name);
    const int typed = first + 1 + 2 * static_cast<int>(c);
    condition += " and (" + name + " is ?" + std::to_string(typed) + " or typeof(" + name +
                 ") = 'blob' and " + name + " = ?" + std::to_string(typed + 1) + ")";
  }
  return condition;
}

void BindOriginals(Statement& statement, int first, const std::vector<SourceColumn>& columns,
                   std::int64_t rowId, const RowCache::Cell* originals) {
  statement.BindInt64(first, rowId);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const RowCache::Cell& cell = originals[c];
    const int typed = first + 1 + 2 * static_cast<int>(c);
    if (cell.null) {
      statement.BindNull(typed);
      statement.BindNull(typed + 1);
      continue;
    }
    BindStoredValue(statement, typed, columns[c].kind, std::string_view(cell.data, cell.size));
    statement.BindBlob(typed + 1, {cell.data, cell.size});
  }
}

void BindValues(Statement& statement, const std::vector<SourceColumn>& columns,
                const std::vector<ColumnValue>& values) {
  for (std::size_t i = 0; i < values.size(); ++i)
    BindStoredValue(statement, static_cast<int>(i) + 1, columns[values[i].column].kind, values[i].value);
}

// SQLite would take an empty file for a new database and write into it, so an
// empty one is refused before SQLite opens it. The file is looked at through
// stat only, never opened outside SQLite: closing any other handle of it would
// drop every lock this process holds on it, and the next program to close the
// file would then delete the journal our connections still write to.
void RequireFile(const std::string& path) {
  std::error_code error;
  const std::string where = std::filesystem::absolute(path, error).string();
  if (!std::filesystem::is_regular_file(path, error))
    throw StoreError("Could not find file '" + where + "'.");
  if (std::filesystem::file_size(path, error) == 0)
    throw StoreError("The file '" + where + "' is empty: it is not a database.");
}

// Why SQLite could not open the file, where the reason is ours to tell.
std::string OpenFailure(sqlite3* db, const std::string& path) {
  const int code = db ? sqlite3_errcode(db) & 0xff : SQLITE_NOMEM;
  std::error_code error;
  const std::filesystem::path where = std::filesystem::absolute(path, error);
  if (code == SQLITE_NOTADB) return "The file '" + where.string() + "' is not a database.";
  if (code == SQLITE_CANTOPEN || code == SQLITE_READONLY) {
    if (access(path.c_str(), R_OK) != 0) return "Cannot read the file '" + where.string() + "'.";
    // The journal lives beside the file, so its folder must take new files.
    const std::filesystem::path folder = where.parent_path();
    const std::string name = where.filename().string();
    if (access(folder.c_str(), W_OK) != 0)
      return "無法開啟資料庫「" + where.string() + "」：資料夾「" + folder.string() +
             "」不能寫入。資料庫的日誌檔（" + name + "-wal、" + name +
             "-shm）要寫在資料庫檔案旁邊，請讓這個資料夾可以寫入，或把資料庫檔案移到可以寫入的資料夾。";
  }
  return db ? sqlite3_errmsg(db) : "out of memory";
}

// cust_serial(number): the serial New continues from, null when it has none or it is refused.
void CustSerialFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
  const unsigned char* text = sqlite3_value_text(arguments[0]);
  if (!text) return sqlite3_result_null(context);
  const std::optional<int> serial = CustomerSerial(
      {reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_value_bytes(arguments[0]))});
  if (!serial) return sqlite3_result_null(context);
  sqlite3_result_int(context, *serial);
}

}  // namespace

SqliteBackend::SqliteBackend(const std::string& path, bool readOnly) {
  RequireFile(path);
  int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) == SQLITE_OK) {
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    try {
      // The first read checks the header: a file of another kind fails here, unchanged.
      Execute(db_, readOnly ? "pragma schema_version" : "pragma journal_mode=wal");
      return;
    } catch (const StoreError&) {
    }
  }
  std::string message = OpenFailure(db_, path);
  sqlite3_close(db_);
  throw StoreError(message);
}

SqliteBackend::~SqliteBackend() { sqlite3_close_v2(db_); }

std::unique_ptr<RowSource> SqliteBackend::Select(const SelectStatement& statement, const Parameters& params) {
  return std::make_unique<SqliteRows>(db_, statement.WithRowId(), params);
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
  const int first = static_cast<int>(values.size()) + 1;
  Statement statement(db_, "update " + table + " set " + assignments + OriginalsCondition(columns, first));
  BindValues(statement, columns, values);
  BindOriginals(statement, first, columns, rowId, originals);
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
  Statement statement(db_, "delete from " + table + OriginalsCondition(columns, 1));
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

std::optional<int> SqliteBackend::HighestCustomerSerial() {
  if (sqlite3_create_function_v2(db_, "cust_serial", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                 CustSerialFunction, nullptr, nullptr, nullptr) != SQLITE_OK)
    throw StoreError(sqlite3_errmsg(db_));
  Statement statement(db_, "select max(cust_serial(cust_no)) from customer");
  if (!statement.Step() || sqlite3_column_type(statement.Handle(), 0) == SQLITE_NULL) return std::nullopt;
  return sqlite3_column_int(statement.Handle(), 0);
}

const std::vector<std::string>& SqliteBackend::LifeTableStatements() const {
  return life::LifeTableStatements(false);
}

std::string SqliteBackend::UserName() {
  passwd entry{};
  passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found) return found->pw_name;
  // A user without an entry (some containers) is known by number.
  return "uid " + std::to_string(geteuid());
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

}  // namespace store::sqlite
