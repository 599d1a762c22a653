#pragma once

#include <QString>
#include <optional>
#include <string>

// The words the workspace shows for a quotation's life: columns by their
// titles, kinds of change, stored state names as states.
class LifeCaptions {
 public:
  static QString Field(const std::string& column);
  static QString What(const std::string& what);
  // A history or comparison value; states in words, null as empty.
  static QString Value(const std::string& field, const std::optional<std::string>& value);
};
