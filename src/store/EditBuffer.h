#pragma once

#include <optional>
#include <string>
#include <vector>

namespace store {

// The values of the row being edited or inserted, kept apart from the stored
// rows until the post succeeds.
struct EditBuffer {
  std::vector<std::optional<std::string>> values;
  std::vector<bool> assigned;  // written since Edit/Append: these columns are updated
  bool modified = false;
};

}  // namespace store
