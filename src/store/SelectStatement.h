#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace store {

// A statement of the shape "select * from <table> [rest]", split so that the
// row identity can be read along with the columns.
struct SelectStatement {
  std::string table;  // as written, quotes included
  std::string rest;   // everything after the table name

  // Nothing when the text has another shape.
  static std::optional<SelectStatement> Parse(std::string_view sql);
  // "select _rowid_, * from <table><rest>"
  std::string WithRowId() const;
};

// An identifier in double quotes, for statements built from column names.
std::string QuoteIdentifier(std::string_view name);

}  // namespace store
