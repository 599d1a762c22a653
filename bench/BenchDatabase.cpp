#include "BenchDatabase.h"

#include <benchmark/benchmark.h>

#include <QDir>

#include "store/Schema.h"

namespace bench {

BenchDatabase::BenchDatabase(const std::function<void(sqlite3*)>& fill)
    : path_(dir_.filePath("data.mdb").toStdString()) {
  store::CreateDatabase(path_);
  db_ = OpenLikeTheStore(path_);
  fill(db_);
}

sqlite3* OpenLikeTheStore(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  sqlite3_busy_timeout(db, 5000);
  Exec(db, "pragma journal_mode=wal");
  return db;
}

double BenchDatabase::RawTextBytes() const {
  sqlite3_stmt* statement = nullptr;
  std::string sum;
  for (const char* column :
       {"cust_no", "cust_name", "all_name", "incaddr", "linkman", "tel1", "tel2", "fax", "PostalCode",
        "email", "sales", "ap_user", "ed_user", "create_date", "last_date"})
    sum += std::string(sum.empty() ? "" : " + ") + "coalesce(length(cast(" + column + " as blob)), 0)";
  sqlite3_prepare_v2(db_, ("select sum(" + sum + ") from customer").c_str(), -1, &statement, nullptr);
  const double bytes = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_double(statement, 0) : 0;
  sqlite3_finalize(statement);
  return bytes;
}

BenchDatabase::~BenchDatabase() { sqlite3_close(db_); }

void BenchDatabase::MakeCurrent() const { QDir::setCurrent(dir_.path()); }

void Exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

void InsertRows(sqlite3* db, const char* sql, int count,
                const std::function<std::vector<std::string>(int)>& row) {
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  for (int i = 0; i < count; ++i) {
    const std::vector<std::string> values = row(i);
    for (size_t v = 0; v < values.size(); ++v)
      sqlite3_bind_text(statement, static_cast<int>(v + 1), values[v].c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(statement);
    sqlite3_reset(statement);
  }
  sqlite3_finalize(statement);
}

void ReadAll(sqlite3_stmt* statement) {
  const int columns = sqlite3_column_count(statement);
  while (sqlite3_step(statement) == SQLITE_ROW)
    for (int c = 0; c < columns; ++c) {
      switch (sqlite3_column_type(statement, c)) {
        case SQLITE_NULL:
          break;
        case SQLITE_INTEGER:
          benchmark::DoNotOptimize(sqlite3_column_int64(statement, c));
          break;
        case SQLITE_FLOAT:
          benchmark::DoNotOptimize(sqlite3_column_double(statement, c));
          break;
        default:
          benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
      }
    }
  sqlite3_reset(statement);
}

void ReadAll(sqlite3* db, const char* sql, const std::vector<std::string>& params) {
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  for (size_t i = 0; i < params.size(); ++i)
    sqlite3_bind_text(statement, static_cast<int>(i + 1), params[i].c_str(), -1, SQLITE_TRANSIENT);
  ReadAll(statement);
  sqlite3_finalize(statement);
}

}  // namespace bench
