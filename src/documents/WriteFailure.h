#pragma once

#include <stdexcept>
#include <string>

namespace documents {

// A document file could not be written; the text names the file and the reason.
// A file already under the name is left as it was.
class WriteFailure : public std::runtime_error {
 public:
  explicit WriteFailure(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace documents
