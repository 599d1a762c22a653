#include "store/sqlite/CellReader.h"

#include <sqlite3.h>

#include <string>

#include "store/FieldValue.h"
#include "store/Text.h"

namespace store::sqlite {

namespace {

bool HasTextAffinity(const char* declared) {
  const std::string type = UpperDeclaredType(declared);
  if (type.find("INT") != std::string::npos) return false;
  return type.find("CHAR") != std::string::npos || type.find("CLOB") != std::string::npos ||
         type.find("TEXT") != std::string::npos;
}

}  // namespace

CellReader::CellReader(sqlite3_stmt* stmt, int columns)
    : cells_(columns), numbers_(columns), textOnly_(columns) {
  for (int c = 0; c < columns; ++c) textOnly_[c] = HasTextAffinity(sqlite3_column_decltype(stmt, c + 1));
}

const RowCache::Cell* CellReader::Read(sqlite3_stmt* stmt) {
  for (int c = 0, columns = static_cast<int>(cells_.size()); c < columns; ++c) {
    if (textOnly_[c]) {
      // Text affinity holds only text or null: no need to ask for the type.
      const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c + 1));
      cells_[c] =
          text ? RowCache::Cell{text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, c + 1)), false}
               : RowCache::Cell{};
      continue;
    }
    switch (sqlite3_column_type(stmt, c + 1)) {
      case SQLITE_NULL:
        cells_[c] = {};
        break;
      case SQLITE_FLOAT: {
        // Reals read as their shortest exact text, so a post compares them exactly.
        auto& number = numbers_[c];
        char* end = FormatDouble(sqlite3_column_double(stmt, c + 1), number.data());
        cells_[c] = {number.data(), static_cast<std::size_t>(end - number.data()), false};
        break;
      }
      default: {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c + 1));
        cells_[c] = {text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, c + 1)), false};
      }
    }
  }
  return cells_.data();
}

}  // namespace store::sqlite
