#include "store/pg/PgConnection.h"

#include <libpq-fe.h>

#include "store/StoreError.h"
#include "store/pg/UriPassword.h"

namespace store::pg {

namespace {

// Dates in ISO order, numbers in their shortest exact text: the forms the
// record sets store and compare.
constexpr const char* kSessionSettings = "set datestyle to 'ISO, YMD'; set extra_float_digits to 1";

std::string Trimmed(const char* text) {
  std::string message = text ? text : "";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  return message;
}

// The server's message with its detail ("Key (cust_no)=(S001) already exists.").
std::string ServerMessage(const PGresult* result, PGconn* conn) {
  const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
  if (!primary) return Trimmed(result ? PQresultErrorMessage(result) : PQerrorMessage(conn));
  std::string message = primary;
  if (const char* detail = PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL))
    message.append("\n").append(detail);
  return message;
}

}  // namespace

PgConnection::PgConnection(std::string uri) : uri_(std::move(uri)) { Connect(); }

PgConnection::~PgConnection() { PQfinish(conn_); }

void PgConnection::Connect() {
  // A server that does not answer must not hang the window for minutes; a
  // timeout in the URI itself wins, as it is read last.
  const char* keywords[] = {"connect_timeout", "fallback_application_name", "client_encoding", "dbname",
                            nullptr};
  const char* values[] = {"10", "samplequote", "UTF8", uri_.c_str(), nullptr};
  PQfinish(conn_);
  conn_ = PQconnectdbParams(keywords, values, 1);
  try {
    if (!conn_) throw StoreError(std::string(kServerUnreachable) + "out of memory");
    if (PQstatus(conn_) != CONNECTION_OK)
      throw StoreError(kServerUnreachable + WithoutPasswordOf(Trimmed(PQerrorMessage(conn_)), uri_));
    Checked(PQexec(conn_, kSessionSettings));
  } catch (...) {
    // No half-open session is kept: the next statement starts afresh.
    PQfinish(conn_);
    conn_ = nullptr;
    throw;
  }
}

void PgConnection::EnsureConnected() {
  if (PQstatus(conn_) == CONNECTION_OK) return;
  if (inTransaction_) throw StoreError(kTransactionLost);
  Connect();
}

void PgConnection::FailConnection(const std::string& what) {
  throw StoreError(inTransaction_ ? std::string(kTransactionLost) : kServerLost + what);
}

PgResult PgConnection::Checked(PGresult* result) {
  PgResult owned(result);
  ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return owned;
  if (PQstatus(conn_) != CONNECTION_OK) FailConnection(ServerMessage(result, conn_));
  throw StoreError(ServerMessage(result, conn_));
}

PgResult PgConnection::Execute(std::string_view sql, const PgValues& values) {
  EnsureConnected();
  std::vector<const char*> texts;
  texts.reserve(values.size());
  for (const auto& value : values) texts.push_back(value ? value->c_str() : nullptr);
  std::string text(sql);
  return Checked(PQexecParams(conn_, text.c_str(), static_cast<int>(texts.size()), nullptr, texts.data(),
                              nullptr, nullptr, 0));
}

void PgConnection::ExecuteScript(const std::string& sql) {
  EnsureConnected();
  Checked(PQexec(conn_, sql.c_str()));
}

void PgConnection::Begin() {
  if (inTransaction_) throw StoreError("A transaction is already in progress");
  Execute("begin");
  inTransaction_ = true;
}

void PgConnection::Commit() {
  if (!inTransaction_) throw StoreError("No transaction is in progress");
  EnsureConnected();
  // A session lost during the commit itself has an unknown outcome: it is
  // reported as lost, not as rolled back.
  inTransaction_ = false;
  PgResult result = Execute("commit");
  // The commit of a transaction in which a statement failed rolls it back instead.
  if (result.CommandStatus() == "ROLLBACK")
    throw StoreError("The transaction was rolled back: one of its statements failed");
}

void PgConnection::Rollback() {
  if (!inTransaction_) return;
  inTransaction_ = false;
  if (PQstatus(conn_) == CONNECTION_OK) PQclear(PQexec(conn_, "rollback"));
}

int PgConnection::ServerProcessId() const {
  return PQstatus(conn_) == CONNECTION_OK ? PQbackendPID(conn_) : 0;
}

}  // namespace store::pg
