#pragma once

#include <sqlite3.h>

#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// A fresh data.mdb in a temporary folder, filled once through a bare SQLite
// connection that stays open for the floor reads.
class BenchDatabase {
 public:
  explicit BenchDatabase(const std::function<void(sqlite3*)>& fill);
  ~BenchDatabase();
  BenchDatabase(const BenchDatabase&) = delete;
  BenchDatabase& operator=(const BenchDatabase&) = delete;

  sqlite3* Db() const { return db_; }
  const std::string& Path() const { return path_; }
  std::string Dir() const { return dir_.path().toStdString(); }
  // Bytes of text in the customer table's cells.
  double RawTextBytes() const;
  // Makes the folder current: the windows look for data.mdb there.
  void MakeCurrent() const;

 private:
  QTemporaryDir dir_;
  std::string path_;
  sqlite3* db_ = nullptr;
};

// The database a fill function makes, made once for the whole run and made
// current on every call (the windows look for data.mdb there).
template <void (*Fill)(sqlite3*)>
BenchDatabase& Shared() {
  static BenchDatabase data(Fill);
  data.MakeCurrent();
  return data;
}

void Exec(sqlite3* db, const char* sql);

// A connection opened exactly as the store opens its own (no SQLite mutex,
// the same busy timeout and journal mode), so that floors pay what it pays.
sqlite3* OpenLikeTheStore(const std::string& path);

// The benchmark program's child mode: paints the customer window once in the
// given folder and prints the seconds it took.
int FirstPaintInFreshProcess(const char* dir);

// Inserts `count` rows, binding the texts row(i) gives to the statement's parameters.
void InsertRows(sqlite3* db, const char* sql, int count,
                const std::function<std::vector<std::string>(int)>& row);

// Steps a statement to the end, reading every column in its stored type (the
// least any reader must do), and resets it.
void ReadAll(sqlite3_stmt* statement);
// The same for a query prepared here, its parameters bound as texts.
void ReadAll(sqlite3* db, const char* sql, const std::vector<std::string>& params = {});

}  // namespace bench
