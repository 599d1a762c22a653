#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "store/StoreError.h"
#include "store/Stores.h"
#include "store/sqlite/SqliteBackend.h"
#include "store/sqlite/SqliteStore.h"

namespace store::sqlite {

namespace {

namespace fs = std::filesystem;

constexpr int kBusyRetries = 100;
constexpr int kBusyPauseMs = 50;

// A new empty file beside `copy`, of a name no other backup is writing.
std::string ClaimPartFile(const std::string& copy) {
  std::string part = copy + ".XXXXXX";
  const int descriptor = mkstemp(part.data());
  if (descriptor < 0) throw StoreError("Cannot create a file beside '" + copy + "': " + std::strerror(errno));
  close(descriptor);
  return part;
}

// One step copies every page under one read of the source: a consistent state.
// The copy is left in a rollback journal mode, so that it is one file that
// opens even where nothing can be written beside it.
void CopyPages(sqlite3* from, const std::string& part) {
  sqlite3* to = nullptr;
  if (sqlite3_open_v2(part.c_str(), &to, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    const std::string message = to ? sqlite3_errmsg(to) : "out of memory";
    sqlite3_close(to);
    throw StoreError(message);
  }
  int rc = SQLITE_ERROR;
  if (sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main")) {
    rc = sqlite3_backup_step(backup, -1);
    for (int tries = 0; (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && tries < kBusyRetries; ++tries) {
      sqlite3_sleep(kBusyPauseMs);
      rc = sqlite3_backup_step(backup, -1);
    }
    sqlite3_backup_finish(backup);
  }
  if (rc == SQLITE_DONE) rc = sqlite3_exec(to, "pragma journal_mode=delete", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = SQLITE_DONE;
  const std::string message = rc == SQLITE_DONE ? "" : sqlite3_errmsg(to);
  if (sqlite3_close(to) != SQLITE_OK || rc != SQLITE_DONE)
    throw StoreError("The copy could not be written: " + (message.empty() ? sqlite3_errstr(rc) : message));
}

}  // namespace

void SqliteStore::Backup(const std::string& source, const std::string& copy, bool replace) const {
  if (&StoreFor(copy) != this) throw StoreError("A backup is a file: name a file path for the copy");
  std::error_code error;
  if (!replace && fs::exists(copy, error))
    throw StoreError("Cannot create '" + copy + "': the file already exists");
  // Opened as any program's connection: what one refuses is refused, and the
  // last to close puts the journal's saves into the file.
  SqliteBackend from(source, false);
  const std::string part = ClaimPartFile(copy);
  try {
    fs::permissions(part, fs::status(source, error).permissions(), error);
    CopyPages(from.Handle(), part);
    fs::rename(part, copy, error);
    if (error) throw StoreError("Cannot create '" + copy + "': " + error.message());
  } catch (...) {
    fs::remove(part, error);
    fs::remove(part + "-journal", error);
    throw;
  }
}

}  // namespace store::sqlite
