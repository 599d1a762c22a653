#pragma once

#include <cstddef>
#include <string_view>

namespace store::pg {

// Where a run that statement rewriting must leave alone ends: quoted text, a
// quoted identifier (doubled quotes stay inside), a comment or a "::" cast
// starting at `at`. Returns `at` itself when none starts there.
std::size_t UntouchedEnd(std::string_view sql, std::size_t at);

// A letter, digit or underscore: part of a name.
bool NameChar(char c);

}  // namespace store::pg
