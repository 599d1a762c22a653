#pragma once

#include <string>
#include <string_view>

namespace store::pg {

// The statement with "escape ''" after every like-pattern that names no
// escape of its own: the server takes a backslash in a pattern as an escape,
// a file takes it as itself, and a search must find the same rows on both.
// "%" and "_" keep their pattern meaning.
std::string WithLiteralBackslashes(std::string_view sql);

}  // namespace store::pg
