#include "store/pg/PgResult.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstring>

namespace store::pg {

namespace {

// Type numbers fixed by the server's catalog (pg_type).
constexpr Oid kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701, kDate = 1082, kNumeric = 1700;

}  // namespace

PgResult::~PgResult() { PQclear(result_); }

PgResult& PgResult::operator=(PgResult&& other) noexcept {
  if (this != &other) {
    PQclear(result_);
    result_ = other.result_;
    other.result_ = nullptr;
  }
  return *this;
}

int PgResult::Rows() const { return result_ ? PQntuples(result_) : 0; }

int PgResult::Columns() const { return result_ ? PQnfields(result_) : 0; }

const char* PgResult::ColumnName(int column) const { return PQfname(result_, column); }

FieldKind PgResult::ColumnKind(int column) const {
  switch (PQftype(result_, column)) {
    case kInt2:
    case kInt4:
    case kInt8:
      return FieldKind::Integer;
    case kFloat4:
    case kFloat8:
    case kNumeric:
      return FieldKind::Float;
    case kDate:
      return FieldKind::Date;
    default:
      return FieldKind::Text;
  }
}

bool PgResult::IsNull(int row, int column) const { return PQgetisnull(result_, row, column); }

std::string_view PgResult::Text(int row, int column) const {
  return {PQgetvalue(result_, row, column), static_cast<std::size_t>(PQgetlength(result_, row, column))};
}

std::int64_t PgResult::AffectedRows() const {
  const char* text = result_ ? PQcmdTuples(result_) : "";
  std::int64_t count = 0;
  std::from_chars(text, text + std::strlen(text), count);
  return count;
}

std::string_view PgResult::CommandStatus() const { return result_ ? PQcmdStatus(result_) : ""; }

}  // namespace store::pg
