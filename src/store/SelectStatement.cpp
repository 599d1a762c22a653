#include "store/SelectStatement.h"

#include <cctype>

namespace store {

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (c & 0x80); }

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}
  bool SkipSpace() {
    std::size_t start = pos_;
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    return pos_ > start;
  }
  bool Keyword(std::string_view word) {
    if (text_.size() - pos_ < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(text_[pos_ + i])) != word[i]) return false;
    if (pos_ + word.size() < text_.size() && IsWordChar(text_[pos_ + word.size()])) return false;
    pos_ += word.size();
    return true;
  }
  bool Char(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  std::string_view Identifier() {
    std::size_t start = pos_;
    if (pos_ >= text_.size()) return {};
    char open = text_[pos_];
    char close = open == '"' ? '"' : open == '[' ? ']' : open == '`' ? '`' : 0;
    if (close) {
      std::size_t end = text_.find(close, pos_ + 1);
      if (end == std::string_view::npos) return {};
      pos_ = end + 1;
    } else {
      while (pos_ < text_.size() && IsWordChar(text_[pos_])) ++pos_;
    }
    return text_.substr(start, pos_ - start);
  }
  std::string_view Rest() const { return text_.substr(pos_); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<SelectStatement> SelectStatement::Parse(std::string_view sql) {
  Scanner scan(sql);
  scan.SkipSpace();
  if (!scan.Keyword("select")) return std::nullopt;
  scan.SkipSpace();
  if (!scan.Char('*')) return std::nullopt;
  scan.SkipSpace();
  if (!scan.Keyword("from")) return std::nullopt;
  if (!scan.SkipSpace()) return std::nullopt;
  std::string_view table = scan.Identifier();
  if (table.empty()) return std::nullopt;
  std::string_view rest = scan.Rest();
  // Another table (a join or a list) would make the row identity ambiguous.
  if (!rest.empty() && !IsSpace(rest.front()) && rest.front() != ';') return std::nullopt;
  return SelectStatement{std::string(table), std::string(rest)};
}

std::string SelectStatement::WithRowId() const { return "select _rowid_, * from " + table + rest; }

std::string QuoteIdentifier(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

}  // namespace store
