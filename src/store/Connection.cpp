#include "store/Connection.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

#include "store/RecordSet.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "store/Text.h"

namespace store {

namespace {

constexpr int kBusyTimeoutMs = 5000;

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

Connection::Connection(std::string name) : name_(std::move(name)) {}

Connection::~Connection() {
  Close();
  // Sets that outlive their connection must not reach back into it.
  for (RecordSet* set : sets_) set->detached_ = true;
}

void Connection::SetConnectionString(std::string text) {
  Close();
  connectionString_ = std::move(text);
}

std::string Connection::Property(const std::string& key) const {
  std::string_view rest = connectionString_;
  while (!rest.empty()) {
    std::size_t semicolon = rest.find(';');
    std::string_view item = rest.substr(0, semicolon);
    rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
    std::size_t equals = item.find('=');
    if (equals != std::string_view::npos && SameText(TrimBlanks(item.substr(0, equals)), key))
      return std::string(TrimBlanks(item.substr(equals + 1)));
  }
  return {};
}

std::string Connection::DataSource() const { return Property("Data Source"); }

void Connection::Open() {
  if (db_) return;
  std::string source = DataSource();
  if (source.empty()) throw StoreError(name_ + ": The connection string names no data source");
  std::error_code error;
  if (!std::filesystem::is_regular_file(source, error))
    throw StoreError("Could not find file '" + std::filesystem::absolute(source, error).string() + "'.");
  RequireDatabaseFile(source);
  bool readOnly = SameText(Property("Mode"), "Read");
  int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(source.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    throw StoreError(message);
  }
  try {
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // Reading the journal mode also proves that the file is a database.
    Execute(db, readOnly ? "pragma schema_version" : "pragma journal_mode=wal");
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  db_ = db;
}

void Connection::Close() {
  if (!db_) return;
  // Closing a connection closes its sets first, as their pending rows die with it.
  std::vector<RecordSet*> sets = sets_;
  for (RecordSet* set : sets)
    if (std::find(sets_.begin(), sets_.end(), set) != sets_.end()) set->Close();
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

void Connection::FinishReads() {
  const std::vector<RecordSet*> sets = sets_;
  for (RecordSet* set : sets)
    if (std::find(sets_.begin(), sets_.end(), set) != sets_.end()) set->ReadAll();
}

void Connection::Register(RecordSet* set) { sets_.push_back(set); }

void Connection::Unregister(RecordSet* set) { std::erase(sets_, set); }

}  // namespace store
