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

// A write refused because another user changed the row since it was read.
inline constexpr const char* kRowChangedConflict =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

}  // namespace store
