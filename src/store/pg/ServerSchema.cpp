#include "store/pg/ServerSchema.h"

#include <algorithm>
#include <cctype>

#include "store/StoreError.h"
#include "store/Tables.h"
#include "store/life/LifeSchema.h"
#include "store/pg/LiteralLike.h"
#include "store/pg/PgConnection.h"

namespace store::pg {

namespace {

// Identifiers are unquoted, so that their letter case does not matter, as on
// the file store; every table gets its row identity after its own columns.
const char* TypeName(FieldKind kind) {
  switch (kind) {
    case FieldKind::Integer:
      return "integer";
    case FieldKind::Float:
      return "double precision";
    case FieldKind::Date:
      return "date";
    case FieldKind::Text:
      break;
  }
  return "text";
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The server keeps names in lower case: the windows' spelling comes from the tables' description.
std::string WindowName(std::string_view table, std::string_view serverName) {
  const ColumnDescription* column = FindColumn(table, serverName);
  return column ? column->name : std::string(serverName);
}

FieldKind KindOfTypeName(std::string_view type) {
  if (type == "integer" || type == "bigint" || type == "smallint") return FieldKind::Integer;
  if (type == "double precision" || type == "real" || type.starts_with("numeric")) return FieldKind::Float;
  if (type == "date") return FieldKind::Date;
  return FieldKind::Text;
}

// True when the text holds "order by" outside quotes.
bool Orders(std::string_view rest) {
  std::string lower = Lower(rest);
  bool quoted = false;
  for (std::size_t at = 0; at < lower.size(); ++at) {
    if (lower[at] == '\'') quoted = !quoted;
    if (!quoted && lower.compare(at, 5, "order") == 0 &&
        (at == 0 || !std::isalnum(static_cast<unsigned char>(lower[at - 1])))) {
      std::size_t next = lower.find_first_not_of(" \t\r\n", at + 5);
      if (next != std::string::npos && next > at + 5 && lower.compare(next, 2, "by") == 0) return true;
    }
  }
  return false;
}

}  // namespace

void CreateServerTables(PgConnection& connection) {
  connection.Begin();
  try {
    connection.ExecuteScript(CreateTablesSql(
        {TypeName, std::string(kRowIdColumn) + " bigint generated always as identity unique"}));
    for (const std::string& statement : life::LifeTableStatements(true)) connection.ExecuteScript(statement);
    connection.Commit();
  } catch (...) {
    connection.Rollback();
    throw;
  }
}

bool EnsureServerTables(const std::string& uri) {
  PgConnection connection(uri);
  if (!connection.Execute("select to_regclass('customer') is null").Text(0, 0).starts_with("t")) return false;
  CreateServerTables(connection);
  return true;
}

std::string CheckServerDatabase(const std::string& uri) {
  PgConnection connection(uri);
  std::string report =
      "server: PostgreSQL " + std::string(connection.Execute("show server_version").Text(0, 0)) + "\n";
  for (const TableDescription& table : DatabaseTables())
    report += std::string(table.name) + ": " +
              std::string(connection.Execute(std::string("select count(*) from ") + table.name).Text(0, 0)) +
              " rows\n";
  const bool life = connection.Execute("select to_regclass('quolife') is not null").Text(0, 0).starts_with("t");
  for (const char* table : life::kLifeTables)
    report += std::string(table) + ": " +
              (life ? std::string(connection.Execute(std::string("select count(*) from ") + table).Text(0, 0)) +
                          " rows"
                    : std::string(life::kNoLifeTable)) +
              "\n";
  return report;
}

std::vector<ServerColumn> ServerColumns(PgConnection& connection, std::string_view table) {
  PgResult result = connection.Execute(
      "select a.attname, format_type(a.atttypid, a.atttypmod), c.relname from pg_attribute a "
      "join pg_class c on c.oid = a.attrelid where a.attrelid = $1::regclass and a.attnum > 0 "
      "and not a.attisdropped and a.attname <> $2 order by a.attnum",
      {std::string(table), std::string(kRowIdColumn)});
  std::vector<ServerColumn> columns;
  for (int row = 0; row < result.Rows(); ++row)
    columns.push_back(
        {WindowName(result.Text(row, 2), result.Text(row, 0)), KindOfTypeName(result.Text(row, 1))});
  return columns;
}

std::string ServerSelect(const std::vector<ServerColumn>& columns, std::string_view table,
                         std::string_view rest) {
  std::string sql = std::string("select ") + kRowIdColumn;
  // Quoted in lower case, as the server keeps unquoted names: no column name can
  // be taken for a key word.
  for (const ServerColumn& column : columns) {
    sql.append(", \"").append(Lower(column.name)).append("\"");
    if (Lower(column.name) != column.name) sql.append(" as \"").append(column.name).append("\"");
  }
  sql += " from " + std::string(table) + WithLiteralBackslashes(rest);
  if (!Orders(rest)) sql += std::string(" order by ") + kRowIdColumn;
  return sql;
}

}  // namespace store::pg
