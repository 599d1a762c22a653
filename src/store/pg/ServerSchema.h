#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/Field.h"

namespace store::pg {

class PgConnection;

// Every table on the server carries this identity column after its own
// columns. The record sets read rows by it and never show it.
inline constexpr const char* kRowIdColumn = "row_id";

struct ServerColumn {
  std::string name;  // as the windows spell it ("PostalCode"); the server keeps it in lower case
  FieldKind kind;
};

// Creates the three tables, their keys and the row identities in one
// transaction; fails with the server's text when one of them exists.
void CreateServerTables(PgConnection& connection);

// Creates the tables on the server a URI names unless they are there; returns
// whether it made them.
bool EnsureServerTables(const std::string& uri);

// One line per table with its row count, as for a file.
std::string CheckServerDatabase(const std::string& uri);

// The columns of a table as written in a statement (any letter case, unquoted),
// in their order, the row identity left out. Fails with the server's text when
// there is no such table.
std::vector<ServerColumn> ServerColumns(PgConnection& connection, std::string_view table);

// "select row_id, <columns> from <table><rest>": the columns under the names
// the windows use, and in the order of the row identity (the order rows were
// added in) unless the rest orders them.
std::string ServerSelect(const std::vector<ServerColumn>& columns, std::string_view table,
                         std::string_view rest);

}  // namespace store::pg
