#include "store/DatabaseCopy.h"

#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>

#include "store/Backend.h"
#include "store/Parameters.h"
#include "store/RowCache.h"
#include "store/Schema.h"
#include "store/SelectStatement.h"
#include "store/StoreError.h"
#include "store/Stores.h"
#include "store/life/LifeSchema.h"
#include "store/pg/ServerSchema.h"

namespace store {

namespace {

constexpr const char* kTables[] = {"customer", "Quomaster", "QuoDilate"};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

struct TableRows {
  std::vector<SourceColumn> columns;
  std::unique_ptr<RowCache> rows;
};

TableRows ReadTable(Backend& store, const std::string& table) {
  auto source = store.Select(*SelectStatement::Parse("select * from " + table), Parameters());
  TableRows read{source->Columns(), std::make_unique<RowCache>(static_cast<int>(source->Columns().size()))};
  while (source->Read(*read.rows, 4096)) {
  }
  return read;
}

// The tables to copy: the life tables too when the source has them.
std::vector<std::string> TablesOf(Backend& source) {
  std::vector<std::string> tables(std::begin(kTables), std::end(kTables));
  if (life::HasLifeTables(source)) tables.insert(tables.end(), std::begin(life::kLifeTables), std::end(life::kLifeTables));
  return tables;
}

void RefuseRows(Backend& target, const std::vector<std::string>& tables) {
  for (const std::string& table : tables)
    if (ReadTable(target, table).rows->Size() > 0)
      throw StoreError("The target already holds rows (table " + table +
                       "): copy only into an empty database");
}

// The target's column for each of the source's, matched by name in any letter case.
std::vector<int> ColumnMap(const std::vector<SourceColumn>& from, const std::vector<SourceColumn>& to,
                           const std::string& table) {
  std::vector<int> map;
  for (const SourceColumn& column : from) {
    int found = -1;
    for (std::size_t c = 0; c < to.size(); ++c)
      if (Lower(to[c].name) == Lower(column.name)) found = static_cast<int>(c);
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

// The target store, made when it does not exist yet; `made` tells whether it was.
std::unique_ptr<Backend> OpenTarget(const std::string& target, bool& made) {
  made = false;
  std::error_code error;
  if (!IsServerUri(target) && !std::filesystem::exists(target, error)) {
    CreateDatabase(target);
    made = true;
  } else if (IsServerUri(target)) {
    made = pg::EnsureServerTables(target);
  }
  std::unique_ptr<Backend> store = OpenStore(target);
  life::EnsureLifeTables(*store, IsServerUri(target));
  return store;
}

}  // namespace

std::string CopyDatabase(const std::string& source, const std::string& target) {
  std::unique_ptr<Backend> from = OpenStore(source, true);
  bool made = false;
  std::unique_ptr<Backend> to = OpenTarget(target, made);
  std::string report;
  try {
    const std::vector<std::string> tables = TablesOf(*from);
    RefuseRows(*to, tables);
    to->Begin();
    for (const std::string& table : tables)
      report += table + ": " + std::to_string(CopyTable(*from, *to, table)) + " rows copied\n";
    to->Commit();
  } catch (...) {
    to->Rollback();
    to.reset();
    // A file made for the copy goes with a failed copy; a server's new tables stay, empty.
    std::error_code error;
    if (made && !IsServerUri(target))
      for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::filesystem::remove(target + suffix, error);
    throw;
  }
  return report;
}

}  // namespace store
