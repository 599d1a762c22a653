#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/pg/PgResult.h"

struct pg_conn;

namespace store::pg {

// Values for $1..$n, sent as text; nullopt sends null. The server gives each
// the type its place in the statement asks for.
using PgValues = std::vector<std::optional<std::string>>;

// One session with a PostgreSQL server, opened from a libpq connection URI
// ("postgresql://user@host/dbname"; passwords through ~/.pgpass or PGPASSWORD).
// Every failure throws StoreError carrying the server's own text. A session
// that the server dropped (a restart, a lost network) is reported as lost and
// opened again by the next statement, except inside a transaction: that ends
// with the loss, and its statements keep failing until Rollback.
class PgConnection {
 public:
  explicit PgConnection(std::string uri);  // connects at once
  ~PgConnection();
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  const std::string& Uri() const { return uri_; }

  // One statement; its parameters are written $1, $2, ...
  PgResult Execute(std::string_view sql, const PgValues& values = {});
  // Statements without parameters, separated by ";".
  void ExecuteScript(const std::string& sql);

  // Transactions do not nest.
  void Begin();
  void Commit();    // a failing commit has rolled back
  void Rollback();  // never throws
  bool InTransaction() const { return inTransaction_; }

  // The server's process id for this session (0 when there is none): lets a
  // test end the session from outside as a server restart would.
  int ServerProcessId() const;

 private:
  void Connect();
  void EnsureConnected();
  PgResult Checked(pg_result* result);
  [[noreturn]] void FailConnection(const std::string& what);

  std::string uri_;
  pg_conn* conn_ = nullptr;
  bool inTransaction_ = false;
};

// The texts of connection failures, for callers that recognise them.
inline constexpr const char* kServerUnreachable = "The database server cannot be reached: ";
inline constexpr const char* kServerLost = "The connection to the database server was lost: ";
inline constexpr const char* kTransactionLost =
    "The connection to the database server was lost during a transaction; none of its changes were stored";

}  // namespace store::pg
