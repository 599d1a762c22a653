#include "store/pg/NumberedParameters.h"

#include <algorithm>
#include <cctype>

namespace store::pg {

namespace {

bool NameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The end of a quoted run starting at `begin` (doubled quotes stay inside it).
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

bool CommentStart(std::string_view sql, std::size_t at) {
  return at + 1 < sql.size() &&
         ((sql[at] == '-' && sql[at + 1] == '-') || (sql[at] == '/' && sql[at + 1] == '*'));
}

}  // namespace

NumberedParameters NumberedParameters::From(std::string_view sql) {
  NumberedParameters result;
  std::size_t at = 0;
  while (at < sql.size()) {
    std::size_t skipped = at;
    if (sql[at] == '\'' || sql[at] == '"')
      skipped = QuotedEnd(sql, at);
    else if (CommentStart(sql, at))
      skipped = CommentEnd(sql, at);
    else if (sql[at] == ':' && at + 1 < sql.size() && sql[at + 1] == ':')
      skipped = at + 2;
    if (skipped != at) {
      result.sql.append(sql.substr(at, skipped - at));
      at = skipped;
      continue;
    }
    if (sql[at] == '?') {
      // Places without names each take the next number.
      result.names.emplace_back();
      result.sql.append("$").append(std::to_string(result.names.size()));
      ++at;
      continue;
    }
    std::size_t end = at + 1;
    while (sql[at] == ':' && end < sql.size() && NameChar(sql[end])) ++end;
    if (sql[at] != ':' || end == at + 1) {
      result.sql += sql[at++];
      continue;
    }
    std::string name(sql.substr(at + 1, end - at - 1));
    auto found = std::find(result.names.begin(), result.names.end(), name);
    if (found == result.names.end()) found = result.names.insert(result.names.end(), name);
    result.sql.append("$").append(std::to_string(found - result.names.begin() + 1));
    at = end;
  }
  return result;
}

}  // namespace store::pg
