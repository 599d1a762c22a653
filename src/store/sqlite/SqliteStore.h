#pragma once

#include "store/StoreType.h"

namespace store::sqlite {

// A database in a SQLite file. The file is made only by Create (and Prepare
// for a tool's new database), never by opening it.
class SqliteStore : public StoreType {
 public:
  std::unique_ptr<Backend> Open(const std::string& target, bool readOnly) const override;
  void Create(const std::string& target) const override;
  bool Prepare(const std::string& target) const override;
  void Discard(const std::string& target) const noexcept override;
  // SQLite's integrity check first.
  std::string Check(const std::string& target) const override;
  void Backup(const std::string& source, const std::string& copy, bool replace) const override;
  bool KeepsCopiesBeside() const override { return true; }
};

}  // namespace store::sqlite
