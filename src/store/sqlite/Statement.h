#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace store::sqlite {

// One prepared SQLite statement, finalized when it goes out of scope. Every
// failure throws StoreError with SQLite's own message.
class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  sqlite3_stmt* Handle() const { return stmt_; }
  // True while a row is available; false when done.
  bool Step();
  void BindText(int index, std::string_view text);
  void BindNull(int index);
  void BindInt64(int index, std::int64_t value);
  void BindDouble(int index, double value);
  void BindBlob(int index, std::string_view bytes);

 private:
  [[noreturn]] void Throw() const;

  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

// Runs statements that return no rows.
void Execute(sqlite3* db, const std::string& sql);

}  // namespace store::sqlite
