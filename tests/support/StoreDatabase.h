#pragma once

#include <memory>
#include <string>

#include "store/Connection.h"

class TempDatabase;
class ServerDatabase;

// The two stores a store test runs on.
enum class StoreKind { File, Server };

std::string StoreName(StoreKind kind);

// A fresh database with the three tables on either store: a file in a folder
// of its own, or a database of its own on the test server. Without a test
// server, a server database is not Available() and the test skips.
class StoreDatabase {
 public:
  explicit StoreDatabase(StoreKind kind);
  ~StoreDatabase();
  StoreDatabase(const StoreDatabase&) = delete;
  StoreDatabase& operator=(const StoreDatabase&) = delete;

  bool Available() const { return !target_.empty(); }
  const std::string& SkipReason() const { return why_; }
  StoreKind Kind() const { return kind_; }
  // The file's path or the server database's URI.
  const std::string& Target() const { return target_; }
  std::string ConnectionString() const;
  void Connect(store::Connection& connection) const;
  // Runs SQL on a connection of its own, as another program would.
  void Execute(const std::string& sql) const;
  // The single value a query returns, "" for null.
  std::string Scalar(const std::string& sql) const;
  // The values of a column, joined by commas, in the order rows were added or
  // by `order`: "QuoDilate where quotation_number = 'Q5'" names the rows.
  std::string Joined(const std::string& column, const std::string& rows, const std::string& order = "") const;
  // The store's own text for a duplicate or missing customer number.
  std::string DuplicateNumberMessage(const std::string& number) const;

 private:
  StoreKind kind_;
  std::unique_ptr<TempDatabase> file_;
  std::unique_ptr<ServerDatabase> server_;
  std::string target_;
  std::string why_;
};

// Skips the running test when its store is not there.
#define SQ_SKIP_WITHOUT_STORE(database) \
  if (!(database).Available()) GTEST_SKIP() << "PostgreSQL test skipped: " << (database).SkipReason()
