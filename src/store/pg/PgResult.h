#pragma once

#include <cstdint>
#include <string_view>

#include "store/Field.h"

struct pg_result;

namespace store::pg {

// The complete result of one statement, held by the client and freed when it
// goes out of scope. Values are the server's text forms.
class PgResult {
 public:
  PgResult() = default;
  explicit PgResult(pg_result* result) : result_(result) {}
  ~PgResult();
  PgResult(PgResult&& other) noexcept : result_(other.result_) { other.result_ = nullptr; }
  PgResult& operator=(PgResult&& other) noexcept;
  PgResult(const PgResult&) = delete;
  PgResult& operator=(const PgResult&) = delete;

  int Rows() const;
  int Columns() const;
  const char* ColumnName(int column) const;
  FieldKind ColumnKind(int column) const;
  bool IsNull(int row, int column) const;
  // "" for null.
  std::string_view Text(int row, int column) const;
  // Rows an insert, update or delete touched.
  std::int64_t AffectedRows() const;
  // The command tag: "INSERT 0 1", "COMMIT", "ROLLBACK".
  std::string_view CommandStatus() const;

 private:
  pg_result* result_ = nullptr;
};

}  // namespace store::pg
