#pragma once

#include <string>
#include <vector>

struct sqlite3;

namespace store {

class RecordSet;

// The two connection strings the windows use. Only "Data Source" and "Mode"
// are read; the rest is accepted as it stands.
inline constexpr const char* kReadWriteConnectionString =
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=data.mdb;Mode=ReadWrite;Persist Security Info=False";
inline constexpr const char* kShareDenyNoneConnectionString =
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=data.mdb;Persist Security Info=False";

// One window's connection to the database file. Opening never creates the
// file or its tables: a missing file is an error. WAL journaling and a busy
// timeout let several connections and processes share one file.
class Connection {
 public:
  explicit Connection(std::string name = "ADOConnection1");
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  const std::string& Name() const { return name_; }
  void SetConnectionString(std::string text);  // closes an open connection
  const std::string& ConnectionString() const { return connectionString_; }

  void Open();  // throws StoreError; opening an open connection does nothing
  void Close();
  bool Connected() const { return db_ != nullptr; }

  // The file named by "Data Source", as given (relative to the working directory).
  std::string DataSource() const;
  sqlite3* Handle() const { return db_; }

  // Every set of this connection still reading its result reads the rest now,
  // which ends its snapshot: before a write, or a read that needs a fresh one.
  void FinishReads();

  // The value of one "Key=Value" item of the connection string ("" when absent).
  std::string Property(const std::string& key) const;

 private:
  friend class RecordSet;
  // Record sets over this connection: closing the connection closes them.
  void Register(RecordSet* set);
  void Unregister(RecordSet* set);

  std::vector<RecordSet*> sets_;
  std::string name_;
  std::string connectionString_;
  sqlite3* db_ = nullptr;
};

}  // namespace store
