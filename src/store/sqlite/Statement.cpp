#include "store/sqlite/Statement.h"

#include <sqlite3.h>

#include "store/StoreError.h"

namespace store::sqlite {

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
    std::string message = sqlite3_errmsg(db);
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    throw StoreError(message);
  }
  if (!stmt_) throw StoreError("The statement is empty");
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

bool Statement::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  Throw();
}

void Statement::BindText(int index, std::string_view text) {
  // A null pointer would bind null: empty text must stay empty text.
  const char* data = text.data() ? text.data() : "";
  if (sqlite3_bind_text(stmt_, index, data, static_cast<int>(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
    Throw();
}

void Statement::BindNull(int index) {
  if (sqlite3_bind_null(stmt_, index) != SQLITE_OK) Throw();
}

void Statement::BindInt64(int index, std::int64_t value) {
  if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) Throw();
}

void Statement::BindDouble(int index, double value) {
  if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK) Throw();
}

void Statement::BindBlob(int index, std::string_view bytes) {
  // A null pointer would bind null: no bytes must stay an empty blob.
  const char* data = bytes.data() ? bytes.data() : "";
  if (sqlite3_bind_blob(stmt_, index, data, static_cast<int>(bytes.size()), SQLITE_TRANSIENT) != SQLITE_OK)
    Throw();
}

void Statement::Throw() const { throw StoreError(sqlite3_errmsg(db_)); }

void Execute(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    throw StoreError(message);
  }
}

}  // namespace store::sqlite
