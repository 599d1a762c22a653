#pragma once

#include <stdexcept>
#include <string>

namespace documents {

// A document file could not be written; the text names the file and the reason.
// Nothing is left under the chosen name.
class WriteFailure : public std::runtime_error {
 public:
  explicit WriteFailure(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace documents
