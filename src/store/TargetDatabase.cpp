#include "store/TargetDatabase.h"

#include <filesystem>

#include "store/Parameters.h"
#include "store/SelectStatement.h"
#include "store/StoreError.h"
#include "store/StoreType.h"
#include "store/Stores.h"
#include "store/life/LifeSchema.h"

namespace store {

TableRows ReadTable(Backend& store, const std::string& table) {
  auto source = store.Select(*SelectStatement::Parse("select * from " + table), Parameters());
  TableRows read{source->Columns(), std::make_unique<RowCache>(static_cast<int>(source->Columns().size()))};
  while (source->Read(*read.rows, 4096)) {
  }
  return read;
}

void RefuseRows(Backend& target) {
  std::vector<std::string> tables(std::begin(kDatabaseTables), std::end(kDatabaseTables));
  tables.insert(tables.end(), std::begin(life::kLifeTables), std::end(life::kLifeTables));
  for (const std::string& table : tables)
    if (ReadTable(target, table).rows->Size() > 0)
      throw StoreError("The target already holds rows (table " + table + "): copy only into an empty database");
}

std::unique_ptr<Backend> OpenTarget(const std::string& target, bool& made) {
  made = StoreFor(target).Prepare(target);
  std::unique_ptr<Backend> store = OpenStore(target);
  // A database made before the life tables gets them, so that they can be filled too.
  life::EnsureLifeTables(*store);
  return store;
}

void RemoveMadeFile(const std::string& path) {
  std::error_code error;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(path + suffix, error);
}

}  // namespace store
