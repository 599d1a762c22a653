#pragma once

#include <string>

namespace store {

// Each takes a file path or a postgresql:// URI (an existing, empty database
// on a server).
//
// Creates the three tables: in a new file (fails when the file exists), or on
// a server (fails when one of them exists).
void CreateDatabase(const std::string& path);
// Sample customers, headers and lines, the same on every store, in a new
// database or an empty one (the tables made when missing); one that holds
// rows is refused.
void CreateDemoDatabase(const std::string& path, int customers = 40);
// Integrity check (of a file) and row counts, one line each; throws StoreError when the file is damaged.
std::string CheckDatabase(const std::string& path);

}  // namespace store
