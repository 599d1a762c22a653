#include "store/DatabaseCopy.h"

#include <memory>

#include "store/Backend.h"
#include "store/StoreError.h"
#include "store/StoreType.h"
#include "store/Stores.h"
#include "store/TargetDatabase.h"
#include "store/Text.h"
#include "store/life/LifeSchema.h"

namespace store {

namespace {

// The target's column for each of the source's, matched by name in any letter case.
std::vector<int> ColumnMap(const std::vector<SourceColumn>& from, const std::vector<SourceColumn>& to,
                           const std::string& table) {
  std::vector<int> map;
  for (const SourceColumn& column : from) {
    int found = -1;
    for (std::size_t c = 0; c < to.size(); ++c)
      if (SameText(to[c].name, column.name)) found = static_cast<int>(c);
    if (found < 0) throw StoreError("The target's table " + table + " has no column " + column.name);
    map.push_back(found);
  }
  return map;
}

int CopyTable(Backend& source, Backend& target, const std::string& table) {
  TableRows from = ReadTable(source, table);
  const std::vector<SourceColumn> columns = ReadTable(target, table).columns;  // empty: refused otherwise
  const std::vector<int> map = ColumnMap(from.columns, columns, table);
  for (int row = 0; row < from.rows->Size(); ++row) {
    std::vector<ColumnValue> values;
    for (std::size_t c = 0; c < map.size(); ++c)
      if (auto value = from.rows->Value(row, static_cast<int>(c))) values.push_back({map[c], *value});
    target.Insert(table, columns, values);
  }
  return from.rows->Size();
}

// The tables to copy: the life tables too when the source has them.
std::vector<std::string> TablesOf(Backend& source) {
  std::vector<std::string> tables(std::begin(kDatabaseTables), std::end(kDatabaseTables));
  if (life::HasLifeTables(source))
    tables.insert(tables.end(), std::begin(life::kLifeTables), std::end(life::kLifeTables));
  return tables;
}

}  // namespace

std::string CopyDatabase(const std::string& source, const std::string& target) {
  std::unique_ptr<Backend> from = OpenStore(source, true);
  bool made = false;
  std::unique_ptr<Backend> to = OpenTarget(target, made);
  std::string report;
  try {
    RefuseRows(*to);
    to->Begin();
    for (const std::string& table : TablesOf(*from))
      report += table + ": " + std::to_string(CopyTable(*from, *to, table)) + " rows copied\n";
    to->Commit();
  } catch (...) {
    to->Rollback();
    to.reset();
    // What was made for the copy goes with a failed copy.
    if (made) StoreFor(target).Discard(target);
    throw;
  }
  return report;
}

}  // namespace store
