#pragma once

#include <string>

namespace store {

// Creates the three tables in a new database file (fails when the file exists).
void CreateDatabase(const std::string& path);
// A new database filled with sample customers, headers and lines.
void CreateDemoDatabase(const std::string& path, int customers = 40);
// Integrity check and row counts, one line each; throws StoreError when the file is damaged.
std::string CheckDatabase(const std::string& path);

}  // namespace store
