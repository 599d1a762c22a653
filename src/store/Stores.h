#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace store {

class Backend;

// A target names a store: a PostgreSQL connection URI ("postgresql://" or
// "postgres://") or else the path of a SQLite file.
bool IsServerUri(std::string_view target);

// Opens the store a target names; throws StoreError with the store's text.
std::unique_ptr<Backend> OpenStore(const std::string& target, bool readOnly = false);

}  // namespace store
