#include "store/pg/LiteralLike.h"

#include <algorithm>
#include <cctype>

#include "store/pg/SqlText.h"

namespace store::pg {

namespace {

std::size_t SpaceEnd(std::string_view sql, std::size_t at) {
  while (at < sql.size() && std::isspace(static_cast<unsigned char>(sql[at]))) ++at;
  return at;
}

// A name, a number or a parameter (":name", "$1", "?").
std::size_t WordEnd(std::string_view sql, std::size_t at) {
  std::size_t end = at;
  if (end < sql.size() && (sql[end] == ':' || sql[end] == '$' || sql[end] == '?')) ++end;
  while (end < sql.size() && (NameChar(sql[end]) || sql[end] == '.')) ++end;
  return end;
}

bool IsWord(std::string_view sql, std::size_t at, std::string_view word) {
  const std::size_t end = WordEnd(sql, at);
  if (end - at != word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(sql[at + i])) != word[i]) return false;
  return true;
}

std::size_t GroupEnd(std::string_view sql, std::size_t at) {
  int depth = 0;
  while (at < sql.size()) {
    if (const std::size_t skipped = UntouchedEnd(sql, at); skipped != at) {
      at = skipped;
      continue;
    }
    if (sql[at] == '(') ++depth;
    if (sql[at] == ')') --depth;
    ++at;
    if (depth == 0) break;
  }
  return at;
}

// One operand of a pattern: quoted text, a bracketed group or a word.
std::size_t OperandEnd(std::string_view sql, std::size_t at) {
  if (at >= sql.size()) return at;
  if (sql[at] == '(') return GroupEnd(sql, at);
  if (const std::size_t quoted = UntouchedEnd(sql, at); quoted != at) return quoted;
  return WordEnd(sql, at);
}

// The pattern after "like": operands joined by "||", each perhaps cast.
std::size_t PatternEnd(std::string_view sql, std::size_t at) {
  std::size_t end = OperandEnd(sql, SpaceEnd(sql, at));
  while (true) {
    const std::size_t next = SpaceEnd(sql, end);
    if (sql.substr(next, 2) == "::")
      end = WordEnd(sql, SpaceEnd(sql, next + 2));
    else if (sql.substr(next, 2) == "||")
      end = OperandEnd(sql, SpaceEnd(sql, next + 2));
    else
      return end;
  }
}

}  // namespace

std::string WithLiteralBackslashes(std::string_view sql) {
  std::string result;
  std::size_t at = 0;
  while (at < sql.size()) {
    std::size_t end = UntouchedEnd(sql, at);
    if (end == at) end = std::max(WordEnd(sql, at), at + 1);
    const bool like = IsWord(sql, at, "like") || IsWord(sql, at, "ilike");
    result.append(sql.substr(at, end - at));
    at = end;
    if (!like) continue;
    end = PatternEnd(sql, at);
    result.append(sql.substr(at, end - at));
    at = end;
    if (!IsWord(sql, SpaceEnd(sql, at), "escape")) result.append(" escape ''");
  }
  return result;
}

}  // namespace store::pg
