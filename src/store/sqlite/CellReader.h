#pragma once

#include <array>
#include <vector>

#include "store/FieldValue.h"
#include "store/RowCache.h"

struct sqlite3_stmt;

namespace store::sqlite {

// The cells of a statement's current row, the row identity in column 0 left
// out. Cells point into the statement's own buffers: valid until its next step.
class CellReader {
 public:
  CellReader(sqlite3_stmt* stmt, int columns);

  const RowCache::Cell* Read(sqlite3_stmt* stmt);

 private:
  std::vector<RowCache::Cell> cells_;
  std::vector<std::array<char, kFormattedDoubleSize>> numbers_;
  std::vector<bool> textOnly_;
};

}  // namespace store::sqlite
