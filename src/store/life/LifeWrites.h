#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/Backend.h"
#include "store/Connection.h"
#include "store/StoreError.h"

namespace store::life {

// The connection's open transaction, or one of this write's own.
class WriteScope {
 public:
  explicit WriteScope(Connection& connection) : store_(connection.Store()), own_(!store_.InTransaction()) {
    if (!own_) return;
    connection.FinishReads();  // a snapshot still being read cannot become a write
    store_.Begin();
  }
  ~WriteScope() {
    if (own_) store_.Rollback();
  }
  WriteScope(const WriteScope&) = delete;
  WriteScope& operator=(const WriteScope&) = delete;
  void Commit() {
    if (own_) store_.Commit();
    own_ = false;
  }

 private:
  Backend& store_;
  bool own_;
};

inline BoundValue Text(std::optional<std::string> value) { return {FieldKind::Text, std::move(value)}; }
inline BoundValue Number(std::int64_t value) { return {FieldKind::Integer, std::to_string(value)}; }

// Empty text is stored as null.
inline std::optional<std::string> Optional(const std::string& text) {
  return text.empty() ? std::nullopt : std::optional<std::string>(text);
}

[[noreturn]] inline void Conflict() { throw StoreError(kRowChangedConflict); }

}  // namespace store::life
