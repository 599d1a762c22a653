#include "store/pg/NumberedParameters.h"

#include <algorithm>

#include "store/pg/SqlText.h"

namespace store::pg {

NumberedParameters NumberedParameters::From(std::string_view sql) {
  NumberedParameters result;
  std::size_t at = 0;
  while (at < sql.size()) {
    const std::size_t skipped = UntouchedEnd(sql, at);
    if (skipped != at) {
      result.sql.append(sql.substr(at, skipped - at));
      at = skipped;
      continue;
    }
    if (sql[at] == '?') {
      // Places without names each take the next number.
      result.names.emplace_back();
      result.sql.append("$").append(std::to_string(result.names.size()));
      ++at;
      continue;
    }
    std::size_t end = at + 1;
    while (sql[at] == ':' && end < sql.size() && NameChar(sql[end])) ++end;
    if (sql[at] != ':' || end == at + 1) {
      result.sql += sql[at++];
      continue;
    }
    std::string name(sql.substr(at + 1, end - at - 1));
    auto found = std::find(result.names.begin(), result.names.end(), name);
    if (found == result.names.end()) found = result.names.insert(result.names.end(), name);
    result.sql.append("$").append(std::to_string(found - result.names.begin() + 1));
    at = end;
  }
  return result;
}

}  // namespace store::pg
