#include "TempDatabase.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "store/Schema.h"
#include "store/sqlite/Statement.h"

TempDatabase::TempDatabase() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sqstore.XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a directory from " + pattern);
  dir_ = pattern;
  path_ = (std::filesystem::path(dir_) / "data.mdb").string();
  store::CreateDatabase(path_);
}

TempDatabase::~TempDatabase() {
  std::error_code error;
  std::filesystem::remove_all(dir_, error);
}

std::string TempDatabase::ConnectionString() const {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path_ +
         ";Mode=ReadWrite;Persist Security Info=False";
}

void TempDatabase::Connect(store::Connection& connection) const {
  connection.SetConnectionString(ConnectionString());
  connection.Open();
}

void TempDatabase::Execute(const std::string& sql) const {
  sqlite3* db = nullptr;
  sqlite3_open(path_.c_str(), &db);
  sqlite3_busy_timeout(db, 5000);
  try {
    store::sqlite::Execute(db, sql);
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_close(db);
}

std::string TempDatabase::Scalar(const std::string& sql) const {
  sqlite3* db = nullptr;
  sqlite3_open(path_.c_str(), &db);
  std::string value;
  {
    store::sqlite::Statement statement(db, sql);
    if (statement.Step() && sqlite3_column_type(statement.Handle(), 0) != SQLITE_NULL)
      value = reinterpret_cast<const char*>(sqlite3_column_text(statement.Handle(), 0));
  }
  sqlite3_close(db);
  return value;
}
