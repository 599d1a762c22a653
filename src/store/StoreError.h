#pragma once

#include <stdexcept>
#include <string>

namespace store {

// Every failure of the record-set layer or of SQLite. The message is the text
// the user sees: record-set errors carry the "<set name>: " prefix, store
// errors carry SQLite's own text.
class StoreError : public std::runtime_error {
 public:
  explicit StoreError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace store
