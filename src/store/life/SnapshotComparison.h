#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/life/QuotationSnapshot.h"

namespace store::life {

// One thing that differs between two snapshots of a quotation. Lines are
// matched by their line number (序號); a number that occurs twice is matched
// occurrence by occurrence.
struct Difference {
  enum class Kind { Header, LineAdded, LineDeleted, LineChanged };
  Kind kind;
  std::string line;                          // the line number; empty for the header
  std::string field;                         // the column; empty for a line added or deleted
  std::optional<std::string> before, after;  // a whole line as its summary
  bool operator==(const Difference&) const = default;
};

// What changed from `older` to `newer`: header fields first, then lines.
std::vector<Difference> Compare(const QuotationSnapshot& older, const QuotationSnapshot& newer);

}  // namespace store::life
