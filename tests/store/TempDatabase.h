#pragma once

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "store/Connection.h"
#include "store/Schema.h"
#include "store/Statement.h"

// A fresh database file with the three tables in a directory of its own,
// removed with the object.
class TempDatabase {
 public:
  TempDatabase() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sqstore.XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    path_ = (std::filesystem::path(dir_) / "data.mdb").string();
    store::CreateDatabase(path_);
  }
  ~TempDatabase() {
    std::error_code error;
    std::filesystem::remove_all(dir_, error);
  }
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  const std::string& Path() const { return path_; }
  const std::string& Dir() const { return dir_; }
  std::string ConnectionString() const {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path_ +
           ";Mode=ReadWrite;Persist Security Info=False";
  }
  void Connect(store::Connection& connection) const {
    connection.SetConnectionString(ConnectionString());
    connection.Open();
  }
  // Runs SQL on a connection of its own, as another program would.
  void Execute(const std::string& sql) const {
    sqlite3* db = nullptr;
    sqlite3_open(path_.c_str(), &db);
    sqlite3_busy_timeout(db, 5000);
    try {
      store::Execute(db, sql);
    } catch (...) {
      sqlite3_close(db);
      throw;
    }
    sqlite3_close(db);
  }
  // The single value a query returns, "" for null.
  std::string Scalar(const std::string& sql) const {
    sqlite3* db = nullptr;
    sqlite3_open(path_.c_str(), &db);
    std::string value;
    {
      store::Statement statement(db, sql);
      if (statement.Step() && sqlite3_column_type(statement.Handle(), 0) != SQLITE_NULL)
        value = reinterpret_cast<const char*>(sqlite3_column_text(statement.Handle(), 0));
    }
    sqlite3_close(db);
    return value;
  }

 private:
  std::string dir_;
  std::string path_;
};
