#include "store/Parameters.h"

#include "store/Text.h"

namespace store {

void Parameters::Set(const std::string& name, std::optional<std::string> value) {
  for (auto& [key, stored] : values_) {
    if (SameText(key, name)) {
      stored = std::move(value);
      return;
    }
  }
  values_.emplace_back(name, std::move(value));
}

const std::optional<std::string>* Parameters::Find(const std::string& name) const {
  for (const auto& [key, stored] : values_)
    if (SameText(key, name)) return &stored;
  return nullptr;
}

}  // namespace store
