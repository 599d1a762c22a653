#include "TableRows.h"

#include "store/Connection.h"
#include "store/QueryRecordSet.h"

namespace {

void OpenTable(store::Connection& connection, store::QueryRecordSet& set, const std::string& table) {
  connection.SetConnectionString(store::kReadWriteConnectionString);
  connection.Open();
  set.SQL().Add("select * from " + table);
  set.Open();
}

}  // namespace

void SeedTable(const std::string& table, const std::vector<Row>& rows) {
  store::Connection connection;
  store::QueryRecordSet set(connection, "Seed");
  OpenTable(connection, set, table);
  for (const Row& row : rows) {
    set.Append();
    for (const auto& [column, value] : row) set.FieldByName(column).SetAsString(value);
    set.Post();
  }
}

std::vector<Row> ReadTable(const std::string& table) {
  store::Connection connection;
  store::QueryRecordSet set(connection, "Check");
  OpenTable(connection, set, table);
  std::vector<Row> rows;
  for (int r = 0; r < set.RecordCount(); ++r) {
    Row row;
    for (int i = 0; i < set.FieldCount(); ++i) row[set.FieldAt(i).FieldName()] = set.CellText(r, i);
    rows.push_back(row);
  }
  return rows;
}
