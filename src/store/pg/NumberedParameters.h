#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace store::pg {

// A statement with named parameters (":name", as the record sets write them)
// in the server's numbered form: each distinct name becomes $1, $2, ... in the
// order of first use, and each "?" the next number (its name empty). Quoted text, quoted identifiers,
// comments and "::" casts are left alone.
struct NumberedParameters {
  std::string sql;
  std::vector<std::string> names;  // names[n - 1] is the name of $n

  static NumberedParameters From(std::string_view sql);
};

}  // namespace store::pg
