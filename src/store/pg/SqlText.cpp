#include "store/pg/SqlText.h"

#include <cctype>

namespace store::pg {

namespace {

std::size_t QuotedEnd(std::string_view sql, std::size_t begin) {
  const char quote = sql[begin];
  std::size_t at = begin + 1;
  while (at < sql.size()) {
    if (sql[at] == quote) {
      if (at + 1 < sql.size() && sql[at + 1] == quote) {
        at += 2;
        continue;
      }
      return at + 1;
    }
    ++at;
  }
  return sql.size();
}

std::size_t CommentEnd(std::string_view sql, std::size_t begin) {
  if (sql[begin] == '-') {
    std::size_t end = sql.find('\n', begin);
    return end == std::string_view::npos ? sql.size() : end;
  }
  std::size_t end = sql.find("*/", begin + 2);
  return end == std::string_view::npos ? sql.size() : end + 2;
}

bool Pair(std::string_view sql, std::size_t at, std::string_view pair) { return sql.substr(at, 2) == pair; }

}  // namespace

bool NameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::size_t UntouchedEnd(std::string_view sql, std::size_t at) {
  if (sql[at] == '\'' || sql[at] == '"') return QuotedEnd(sql, at);
  if (Pair(sql, at, "--") || Pair(sql, at, "/*")) return CommentEnd(sql, at);
  if (Pair(sql, at, "::")) return at + 2;
  return at;
}

}  // namespace store::pg
