#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace store {

class Backend;
class StoreType;

// The kind of store a target names: a PostgreSQL connection URI
// ("postgresql://" or "postgres://") names a server, anything else the path
// of a SQLite file. The only place that tells them apart.
const StoreType& StoreFor(std::string_view target);

// Opens the store a target names; throws StoreError with the store's text.
std::unique_ptr<Backend> OpenStore(const std::string& target, bool readOnly = false);

}  // namespace store
