#pragma once

namespace store {

class Connection;

// Groups the writes of every record set over one connection: they take effect
// together at Commit, or not at all when the scope ends without it (an error
// thrown half-way). Transactions do not nest.
class Transaction {
 public:
  explicit Transaction(Connection& connection);  // throws StoreError
  ~Transaction();                                // rolls back unless committed
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit();  // throws StoreError; rolled back when the commit fails

 private:
  Connection& connection_;
  bool open_ = false;
};

}  // namespace store
