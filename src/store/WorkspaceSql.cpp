#include "store/WorkspaceSql.h"

namespace store {

std::string AfterPrefix(const std::string& prefix) { return prefix + "\xF4\x8F\xBF\xBF"; }

}  // namespace store
