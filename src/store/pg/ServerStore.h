#pragma once

#include "store/StoreType.h"

namespace store::pg {

// A database on a PostgreSQL server, named by its connection URI. The
// database itself is the server administrator's to make; the tables are ours.
class ServerStore : public StoreType {
 public:
  std::unique_ptr<Backend> Open(const std::string& target, bool readOnly) const override;
  void Create(const std::string& target) const override;
  bool Prepare(const std::string& target) const override;
  // Drops the three tables again.
  void Discard(const std::string& target) const noexcept override;
  // The server's version first.
  std::string Check(const std::string& target) const override;
  // Refused: the server's own dump copies it.
  void Backup(const std::string& source, const std::string& copy, bool replace) const override;
  bool KeepsCopiesBeside() const override { return false; }
};

}  // namespace store::pg
