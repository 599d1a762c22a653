#pragma once

#include <string>

namespace store {

// Copies the three tables from one store to another (file to server or back),
// every row and value as it is, in one transaction. A missing target file is
// created, and so are missing tables on a server; a target that already holds
// rows is refused. Returns one line per table with its count.
std::string CopyDatabase(const std::string& source, const std::string& target);

}  // namespace store
