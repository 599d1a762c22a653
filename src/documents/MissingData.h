#pragma once

#include <stdexcept>
#include <string>

namespace documents {

// The quotation cannot be made into a document: no header is current, or its
// customer is unknown. The text says what is missing, for a notice.
class MissingData : public std::runtime_error {
 public:
  explicit MissingData(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace documents
