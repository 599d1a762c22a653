#include "store/Transaction.h"

#include "store/Connection.h"
#include "store/Statement.h"
#include "store/StoreError.h"

namespace store {

Transaction::Transaction(Connection& connection) : connection_(connection) {
  if (!connection_.Connected()) throw StoreError(connection_.Name() + ": Connection is not open");
  // A snapshot still being read could not become a write transaction.
  connection_.FinishReads();
  // Immediate: take the write lock now, so a busy file fails before any change.
  Execute(connection_.Handle(), "begin immediate");
  open_ = true;
}

Transaction::~Transaction() {
  if (!open_ || !connection_.Connected()) return;
  try {
    Execute(connection_.Handle(), "rollback");
  } catch (const StoreError&) {
    // Nothing left to undo: SQLite already rolled back after the failure.
  }
}

void Transaction::Commit() {
  Execute(connection_.Handle(), "commit");
  open_ = false;
}

}  // namespace store
