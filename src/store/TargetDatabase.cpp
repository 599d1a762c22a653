#include "store/TargetDatabase.h"

#include <filesystem>

#include "store/Parameters.h"
#include "store/SelectStatement.h"
#include "store/StoreError.h"
#include "store/StoreType.h"
#include "store/Stores.h"

namespace store {

TableRows ReadTable(Backend& store, const std::string& table) {
  auto source = store.Select(*SelectStatement::Parse("select * from " + table), Parameters());
  TableRows read{source->Columns(), std::make_unique<RowCache>(static_cast<int>(source->Columns().size()))};
  while (source->Read(*read.rows, 4096)) {
  }
  return read;
}

void RefuseRows(Backend& target) {
  for (const char* table : kDatabaseTables)
    if (ReadTable(target, table).rows->Size() > 0)
      throw StoreError(std::string("The target already holds rows (table ") + table +
                       "): copy only into an empty database");
}

std::unique_ptr<Backend> OpenTarget(const std::string& target, bool& made) {
  made = StoreFor(target).Prepare(target);
  return OpenStore(target);
}

void RemoveMadeFile(const std::string& path) {
  std::error_code error;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(path + suffix, error);
}

}  // namespace store
