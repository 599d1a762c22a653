#include "store/sqlite/SqliteValues.h"

#include <string>

#include "store/FieldValue.h"
#include "store/Text.h"
#include "store/sqlite/Statement.h"

namespace store::sqlite {

namespace {

bool Contains(const std::string& haystack, const char* needle) {
  return haystack.find(needle) != std::string::npos;
}

}  // namespace

void BindStoredValue(Statement& statement, int index, FieldKind kind, std::optional<std::string_view> value) {
  if (!value) return statement.BindNull(index);
  if (kind == FieldKind::Integer) {
    if (auto integer = ParseInteger(*value)) return statement.BindInt64(index, *integer);
  }
  if (kind == FieldKind::Integer || kind == FieldKind::Float) {
    if (auto real = ParseDouble(*value)) return statement.BindDouble(index, *real);
  }
  statement.BindText(index, *value);
}

FieldKind KindOfDeclaredType(const char* declared) {
  const std::string type = UpperDeclaredType(declared);
  if (Contains(type, "DATE") || Contains(type, "TIME")) return FieldKind::Date;
  if (Contains(type, "INT")) return FieldKind::Integer;
  if (Contains(type, "REAL") || Contains(type, "FLOA") || Contains(type, "DOUB") || Contains(type, "NUM") ||
      Contains(type, "DEC"))
    return FieldKind::Float;
  return FieldKind::Text;
}

}  // namespace store::sqlite
