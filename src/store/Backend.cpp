#include "store/Backend.h"

namespace store {

namespace {

constexpr std::size_t kRowsPerStatement = 64;

}  // namespace

void Backend::InsertRows(const std::string& table, const std::vector<SourceColumn>& columns,
                         std::span<const ValueRow> rows) {
  std::string head = "insert into " + table + " (";
  for (std::size_t c = 0; c < columns.size(); ++c) head += (c ? ", " : "") + Identifier(columns[c].name);
  head += ") values ";
  for (std::size_t first = 0; first < rows.size(); first += kRowsPerStatement) {
    std::string sql = head;
    std::vector<BoundValue> values;
    for (std::size_t r = first; r < std::min(rows.size(), first + kRowsPerStatement); ++r) {
      sql += r == first ? "(" : ", (";
      for (std::size_t c = 0; c < columns.size(); ++c) {
        sql += c ? ", ?" : "?";
        values.push_back({columns[c].kind, rows[r][c]});
      }
      sql += ")";
    }
    Run(sql, values);
  }
}

}  // namespace store
