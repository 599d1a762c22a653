#include "store/pg/ServerRows.h"

#include <charconv>

#include "store/FieldValue.h"

namespace store::pg {

namespace {

std::int64_t RowIdOf(const PgResult& result, int row) {
  std::string_view text = result.Text(row, 0);
  std::int64_t id = 0;
  std::from_chars(text.data(), text.data() + text.size(), id);
  return id;
}

// The server writes a double as "1e-300" or "-0"; the file store, and so the
// record sets, as its shortest plain decimal ("0.000…1", "0"). The same value
// shows the same on both stores, and a post compares it exactly.
bool NeedsPlainForm(std::string_view text) {
  return text.find_first_of("eE") != std::string_view::npos || text == "-0";
}

std::string_view PlainNumber(std::string_view text, char* buffer) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return text;
  return {buffer, static_cast<std::size_t>(FormatDouble(value, buffer) - buffer)};
}

}  // namespace

ServerRows::ServerRows(PgResult result) : result_(std::move(result)) {
  for (int c = 1; c < result_.Columns(); ++c)
    columns_.push_back({result_.ColumnName(c), result_.ColumnKind(c)});
  cells_.resize(columns_.size());
  numbers_.resize(columns_.size());
}

std::string_view ServerRows::Cell(int row, int column) {
  std::string_view text = result_.Text(row, column + 1);
  if (columns_[column].kind != FieldKind::Float || !NeedsPlainForm(text)) return text;
  numbers_[column].resize(kFormattedDoubleSize);
  return PlainNumber(text, numbers_[column].data());
}

bool ServerRows::Read(RowCache& rows, int limit) {
  // "Everything" is asked for as the largest int: next_ + limit would overflow.
  const int end = limit < result_.Rows() - next_ ? next_ + limit : result_.Rows();
  for (; next_ < end; ++next_) {
    for (int c = 0, columns = static_cast<int>(cells_.size()); c < columns; ++c) {
      std::string_view text = Cell(next_, c);
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
  char number[kFormattedDoubleSize];
  for (int c = 1; c < result.Columns(); ++c) {
    std::string_view text = result.Text(0, c);
    if (result.ColumnKind(c) == FieldKind::Float && NeedsPlainForm(text)) text = PlainNumber(text, number);
    row.values.push_back(result.IsNull(0, c) ? std::nullopt : std::optional<std::string>(text));
  }
  return row;
}

}  // namespace store::pg
