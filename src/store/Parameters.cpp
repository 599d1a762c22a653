#include "store/Parameters.h"

#include <algorithm>
#include <cctype>

namespace store {

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

void Parameters::Set(const std::string& name, std::optional<std::string> value) {
  for (auto& [key, stored] : values_) {
    if (SameName(key, name)) {
      stored = std::move(value);
      return;
    }
  }
  values_.emplace_back(name, std::move(value));
}

const std::optional<std::string>* Parameters::Find(const std::string& name) const {
  for (const auto& [key, stored] : values_)
    if (SameName(key, name)) return &stored;
  return nullptr;
}

}  // namespace store
