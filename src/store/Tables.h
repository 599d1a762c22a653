#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/Field.h"

namespace store {

// The three tables, described once: each store writes its own DDL from this.
struct ColumnDescription {
  const char* name;  // as the windows spell it
  FieldKind kind;
  bool notNull = false;
};

struct TableDescription {
  const char* name;
  std::vector<ColumnDescription> columns;
  std::vector<std::string> constraints;  // "primary key (...)", "unique (...)"
  std::vector<std::string> indexes;      // "create index ..." statements
};

const std::vector<TableDescription>& DatabaseTables();

// The column of a table whose name matches in any letter case; nullptr when none does.
const ColumnDescription* FindColumn(std::string_view table, std::string_view column);

// How a store writes the tables: its name for each kind of column, and a
// column every table gets after its own (empty for none).
struct TableDialect {
  const char* (*typeName)(FieldKind kind);
  std::string extraColumn;
};

// "create table ...; ...; create index ...;" for every table.
std::string CreateTablesSql(const TableDialect& dialect);

}  // namespace store
