#include "store/DatabaseBackup.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "store/StoreError.h"
#include "store/StoreType.h"
#include "store/Stores.h"

namespace store {

namespace {

namespace fs = std::filesystem;

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
  StoreFor(source).Backup(source, copy, replace);
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
