#include "store/pg/ServerRows.h"

#include <charconv>

namespace store::pg {

ServerRows::ServerRows(PgResult result) : result_(std::move(result)) {
  for (int c = 1; c < result_.Columns(); ++c)
    columns_.push_back({result_.ColumnName(c), result_.ColumnKind(c)});
  cells_.resize(columns_.size());
}

bool ServerRows::Next() {
  if (row_ >= result_.Rows()) return false;
  return ++row_ < result_.Rows();
}

std::int64_t ServerRows::RowId() const {
  std::string_view text = result_.Text(row_, 0);
  std::int64_t id = 0;
  std::from_chars(text.data(), text.data() + text.size(), id);
  return id;
}

const RowCache::Cell* ServerRows::Cells() {
  for (int c = 0, columns = static_cast<int>(cells_.size()); c < columns; ++c) {
    if (result_.IsNull(row_, c + 1)) {
      cells_[c] = {};
      continue;
    }
    std::string_view text = result_.Text(row_, c + 1);
    cells_[c] = {text.data(), text.size(), false};
  }
  return cells_.data();
}

}  // namespace store::pg
