#pragma once

#include <string>
#include <string_view>

namespace store::pg {

// A server URI as it may be shown: a password in its user part or in a
// "password" parameter becomes "***". Anything else comes back unchanged.
std::string WithoutPassword(std::string_view uri);

// The message with every password the URI holds, as written there and
// decoded, replaced by "***": the server library quotes parts of a URI it
// cannot read.
std::string WithoutPasswordOf(std::string message, std::string_view uri);

}  // namespace store::pg
