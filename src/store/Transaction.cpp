#include "store/Transaction.h"

#include "store/Backend.h"
#include "store/Connection.h"
#include "store/StoreError.h"

namespace store {

Transaction::Transaction(Connection& connection) : connection_(connection) {
  if (!connection_.Connected()) throw StoreError(connection_.Name() + ": Connection is not open");
  // A snapshot still being read could not become a write transaction.
  connection_.FinishReads();
  connection_.Store().Begin();
  open_ = true;
}

Transaction::~Transaction() {
  if (open_ && connection_.Connected()) connection_.Store().Rollback();
}

void Transaction::Commit() {
  connection_.Store().Commit();
  open_ = false;
}

}  // namespace store
