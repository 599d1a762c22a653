#include "store/DatabaseBackup.h"

#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <vector>

#include "store/SqliteBackend.h"
#include "store/StoreError.h"
#include "store/Stores.h"

namespace store {

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

// "<name>-YYYY-MM-DD<extension>"
bool IsDailyCopy(const std::string& name, const std::string& stem, const std::string& extension) {
  const std::string start = stem + "-";
  if (name.size() != start.size() + 10 + extension.size() || !name.starts_with(start) ||
      !name.ends_with(extension))
    return false;
  const std::string day = name.substr(start.size(), 10);
  for (std::size_t i = 0; i < day.size(); ++i)
    if (i == 4 || i == 7 ? day[i] != '-' : !std::isdigit(static_cast<unsigned char>(day[i]))) return false;
  return true;
}

void KeepNewest(const fs::path& folder, const std::string& stem, const std::string& extension, int keep) {
  std::vector<fs::path> copies;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
    if (entry.is_regular_file(error) && IsDailyCopy(entry.path().filename().string(), stem, extension))
      copies.push_back(entry.path());
  std::sort(copies.begin(), copies.end());  // the day in the name sorts them by age
  for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < copies.size(); ++i)
    fs::remove(copies[i], error);
}

}  // namespace

void BackupDatabase(const std::string& source, const std::string& copy, bool replace) {
  if (IsServerUri(source))
    throw StoreError(
        "A PostgreSQL database is backed up with the server's own dump: pg_dump --format=custom "
        "--file=quotes.dump DBNAME (pg_restore reads it back)");
  if (IsServerUri(copy)) throw StoreError("A backup is a file: name a file path for the copy");
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

std::string MakeDailyBackup(const std::string& source, const std::string& day, int keep) {
  std::error_code error;
  const fs::path file = fs::absolute(source, error);
  const fs::path folder = file.parent_path() / "backups";
  fs::create_directory(folder, error);
  if (error) throw StoreError("Cannot create the folder '" + folder.string() + "': " + error.message());
  const std::string stem = file.stem().string(), extension = file.extension().string();
  const fs::path copy = folder / (stem + "-" + day + extension);
  BackupDatabase(file.string(), copy.string(), true);
  KeepNewest(folder, stem, extension, keep);
  return copy.string();
}

}  // namespace store
