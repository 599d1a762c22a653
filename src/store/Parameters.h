#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace store {

// Named values (":name" in the statement), bound as values when the set opens,
// so user text never becomes SQL. A name without a value binds null.
class Parameters {
 public:
  void Set(const std::string& name, std::optional<std::string> value);
  void Clear() { values_.clear(); }
  const std::optional<std::string>* Find(const std::string& name) const;  // name without the colon

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> values_;
};

}  // namespace store
