#include "store/pg/ServerStore.h"

#include "store/StoreError.h"
#include "store/Tables.h"
#include "store/pg/PgConnection.h"
#include "store/pg/ServerBackend.h"
#include "store/pg/ServerSchema.h"

namespace store::pg {

std::unique_ptr<Backend> ServerStore::Open(const std::string& target, bool /*readOnly*/) const {
  return std::make_unique<ServerBackend>(target);
}

void ServerStore::Create(const std::string& target) const {
  PgConnection connection(target);
  CreateServerTables(connection);
}

bool ServerStore::Prepare(const std::string& target) const { return EnsureServerTables(target); }

void ServerStore::Discard(const std::string& target) const noexcept {
  try {
    PgConnection connection(target);
    for (auto table = DatabaseTables().rbegin(); table != DatabaseTables().rend(); ++table)
      connection.Execute(std::string("drop table if exists ") + table->name);
  } catch (const StoreError&) {
    // The tables stay, empty: a later copy or import still finds them usable.
  }
}

std::string ServerStore::Check(const std::string& target) const { return CheckServerDatabase(target); }

void ServerStore::Backup(const std::string& /*source*/, const std::string& /*copy*/, bool /*replace*/) const {
  throw StoreError(
      "A PostgreSQL database is backed up with the server's own dump: pg_dump --format=custom "
      "--file=quotes.dump DBNAME (pg_restore reads it back)");
}

}  // namespace store::pg
