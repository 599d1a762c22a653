#include "store/Stores.h"

#include "store/Backend.h"
#include "store/pg/ServerStore.h"
#include "store/sqlite/SqliteStore.h"

namespace store {

const StoreType& StoreFor(std::string_view target) {
  static const sqlite::SqliteStore file;
  static const pg::ServerStore server;
  if (target.starts_with("postgresql://") || target.starts_with("postgres://")) return server;
  return file;
}

std::unique_ptr<Backend> OpenStore(const std::string& target, bool readOnly) {
  return StoreFor(target).Open(target, readOnly);
}

}  // namespace store
