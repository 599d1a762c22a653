#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

// The store's small text helpers. Names of tables, columns, parameters and
// connection-string keys are ASCII and compared without regard to case.
namespace store {

inline bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Without the blanks at either end.
inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A column's declared type in capitals, "" for none, so that its affinity can be read off it.
inline std::string UpperDeclaredType(const char* declared) {
  std::string type = declared ? declared : "";
  for (char& c : type) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return type;
}

}  // namespace store
