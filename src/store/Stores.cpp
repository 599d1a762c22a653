#include "store/Stores.h"

#include "store/SqliteBackend.h"
#include "store/pg/ServerBackend.h"

namespace store {

bool IsServerUri(std::string_view target) {
  return target.starts_with("postgresql://") || target.starts_with("postgres://");
}

std::unique_ptr<Backend> OpenStore(const std::string& target, bool readOnly) {
  if (IsServerUri(target)) return std::make_unique<pg::ServerBackend>(target);
  return std::make_unique<SqliteBackend>(target, readOnly);
}

}  // namespace store
