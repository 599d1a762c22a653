#include "store/pg/ServerRows.h"

#include <charconv>

namespace store::pg {

namespace {

std::int64_t RowIdOf(const PgResult& result, int row) {
  std::string_view text = result.Text(row, 0);
  std::int64_t id = 0;
  std::from_chars(text.data(), text.data() + text.size(), id);
  return id;
}

}  // namespace

ServerRows::ServerRows(PgResult result) : result_(std::move(result)) {
  for (int c = 1; c < result_.Columns(); ++c)
    columns_.push_back({result_.ColumnName(c), result_.ColumnKind(c)});
  cells_.resize(columns_.size());
}

bool ServerRows::Read(RowCache& rows, int limit) {
  // "Everything" is asked for as the largest int: next_ + limit would overflow.
  const int end = limit < result_.Rows() - next_ ? next_ + limit : result_.Rows();
  for (; next_ < end; ++next_) {
    for (int c = 0, columns = static_cast<int>(cells_.size()); c < columns; ++c) {
      std::string_view text = result_.Text(next_, c + 1);
      cells_[c] =
          result_.IsNull(next_, c + 1) ? RowCache::Cell{} : RowCache::Cell{text.data(), text.size(), false};
    }
    rows.Add(RowIdOf(result_, next_), cells_.data());
  }
  if (next_ < result_.Rows()) return true;
  result_ = PgResult();  // nothing more to read: the server's result goes
  return false;
}

std::optional<StoredRow> FirstRow(const PgResult& result) {
  if (result.Rows() == 0) return std::nullopt;
  StoredRow row;
  row.rowId = RowIdOf(result, 0);
  for (int c = 1; c < result.Columns(); ++c)
    row.values.push_back(result.IsNull(0, c) ? std::nullopt : std::optional<std::string>(result.Text(0, c)));
  return row;
}

}  // namespace store::pg
