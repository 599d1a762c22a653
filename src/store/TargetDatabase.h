#pragma once

#include <memory>
#include <string>
#include <vector>

#include "store/Backend.h"
#include "store/RowCache.h"
#include "store/RowSource.h"

namespace store {

// The helpers of the tools that fill a new database (copy, import).

// The three tables, in the order they are filled.
inline constexpr const char* kDatabaseTables[] = {"customer", "Quomaster", "QuoDilate"};

struct TableRows {
  std::vector<SourceColumn> columns;
  std::unique_ptr<RowCache> rows;
};

// Every row of "select * from <table>", in the store's order.
TableRows ReadTable(Backend& store, const std::string& table);

// Refuses a store whose tables (the life tables too) hold any row.
void RefuseRows(Backend& target);

// The target store, made when it does not exist yet (a new file, or the
// tables on a server), with the life tables; `made` tells whether it was
// (StoreType::Discard takes it away again).
std::unique_ptr<Backend> OpenTarget(const std::string& target, bool& made);

// Removes a file made for a write that failed, with its journal files.
void RemoveMadeFile(const std::string& path);

}  // namespace store
