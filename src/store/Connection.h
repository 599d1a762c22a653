#pragma once

#include <memory>
#include <string>
#include <vector>

namespace store {

class Backend;
class RecordSet;

// The two connection strings the windows use. Only "Data Source" and "Mode"
// are read; the rest is accepted as it stands.
inline constexpr const char* kReadWriteConnectionString =
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=data.mdb;Mode=ReadWrite;Persist Security Info=False";
inline constexpr const char* kShareDenyNoneConnectionString =
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=data.mdb;Persist Security Info=False";

// One window's connection to the database: a SQLite file, or a PostgreSQL
// server when the data source (or the target every connection opens) is a
// connection URI. Which one is decided when the connection opens; the record
// sets over it do not know. Opening never creates the file or its tables.
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
  bool Connected() const { return backend_ != nullptr; }

  // The database every connection opens instead of its "Data Source": a file
  // path or a postgresql:// URI; empty (the default) keeps the data source.
  // The application sets it from the user's setting at start-up.
  static void SetTarget(std::string target);
  static const std::string& Target();

  // The file or URI named by "Data Source", as given (a file relative to the working directory).
  std::string DataSource() const;
  // What Open opens: the target when there is one, else the data source.
  std::string Source() const;
  // The open store; "Operation is not allowed when the object is closed." when closed.
  Backend& Store() const;

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
  std::unique_ptr<Backend> backend_;
  static std::string& TargetSetting();
};

}  // namespace store
