#include "BenchServer.h"

#include <libpq-fe.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CustomerRows.h"
#include "store/StoreError.h"
#include "store/pg/PgConnection.h"
#include "store/pg/ServerSchema.h"

namespace bench {

namespace {

constexpr int kCustomers = 1000000;

std::string FileText(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  std::string value = text.str();
  while (!value.empty() && value.back() == '\n') value.pop_back();
  return value;
}

std::string WithDatabase(const std::string& uri, const std::string& database) {
  std::size_t path = uri.find('/', uri.find("://") + 3);
  std::size_t query = uri.find('?');
  std::string result = uri.substr(0, path);
  result.append("/").append(database).append(query == std::string::npos ? "" : uri.substr(query));
  return result;
}

// COPY is how a server is filled fast; the rows are the file store's.
void CopyCustomers(const std::string& uri) {
  PGconn* conn = PQconnectdb(uri.c_str());
  PQclear(PQexec(conn,
                 "copy customer (cust_no, cust_name, all_name, incaddr, linkman, tel1, tel2, fax, "
                 "PostalCode, email, sales, ap_user, ed_user, create_date, last_date) from stdin"));
  std::string rows;
  for (int row = 0; row < kCustomers; ++row) {
    for (int c = 0; c < kCustomerColumns; ++c) {
      std::string value = CustomerCell(row, c);
      if (c) rows += '\t';
      rows += value.empty() ? std::string("\\N") : value;
    }
    rows += '\n';
  }
  PQputCopyData(conn, rows.data(), static_cast<int>(rows.size()));
  PQputCopyEnd(conn, nullptr);
  PGresult* result = PQgetResult(conn);
  std::string error = PQresultStatus(result) == PGRES_COMMAND_OK ? "" : PQresultErrorMessage(result);
  PQclear(result);
  PQclear(PQexec(conn, "analyze customer"));
  PQfinish(conn);
  if (!error.empty()) throw store::StoreError(error);
}

}  // namespace

BenchServer& BenchServer::Get() {
  static BenchServer server;
  return server;
}

BenchServer::BenchServer() {
  try {
    Start();
    if (!serverUri_.empty()) MakeDatabase(serverUri_);
  } catch (const store::StoreError& error) {
    reason_ = error.what();
    uri_.clear();
  }
}

BenchServer::~BenchServer() {
  if (!database_.empty()) {
    try {
      store::pg::PgConnection(serverUri_).Execute("drop database if exists " + database_ + " with (force)");
    } catch (const store::StoreError&) {
    }
  }
  if (state_.empty()) return;
  std::string stop = std::string(SQ_SOURCE_DIR) + "/scripts/pg-cluster stop '" + state_ + "' >/dev/null 2>&1";
  if (std::system(stop.c_str()) != 0) std::fprintf(stderr, "pg: the benchmark's server did not stop\n");
  std::error_code ignored;
  std::filesystem::remove_all(state_, ignored);
}

void BenchServer::Start() {
  if (const char* uri = std::getenv("SQ_BENCH_PG_URI"); uri && *uri) {
    serverUri_ = uri;
    return;
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "sqbenchpg.XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw store::StoreError("cannot make a folder for the server's state");
  state_ = pattern;
  std::string start = std::string(SQ_SOURCE_DIR) + "/scripts/pg-cluster start '" + state_ + "' >'" + state_ +
                      "/start.log' 2>&1";
  int status = std::system(start.c_str());
  serverUri_ = FileText(state_ + "/uri");
  if (serverUri_.empty()) {
    std::string skipped = FileText(state_ + "/skipped");
    reason_ = !skipped.empty() ? skipped
                               : "the server did not start (status " + std::to_string(status) +
                                     "): " + FileText(state_ + "/start.log");
  }
}

void BenchServer::MakeDatabase(const std::string& serverUri) {
  std::string name = "sqbench_" + std::to_string(getpid());
  store::pg::PgConnection(serverUri).Execute("create database " + name);
  database_ = name;
  std::string uri = WithDatabase(serverUri, name);
  store::pg::PgConnection connection(uri);
  store::pg::CreateServerTables(connection);
  CopyCustomers(uri);
  uri_ = uri;
}

int StoreSessionProcess() {
  PGconn* monitor = PQconnectdb(BenchServer::Get().Uri().c_str());
  PGresult* result = PQexec(monitor,
                            "select pid from pg_stat_activity where application_name = 'samplequote' "
                            "and datname = current_database() order by backend_start desc limit 1");
  const int pid = PQntuples(result) ? std::atoi(PQgetvalue(result, 0, 0)) : 0;
  PQclear(result);
  PQfinish(monitor);
  return pid;
}

double ServerProcessCpuSeconds(int pid) {
  std::ifstream stats("/proc/" + std::to_string(pid) + "/schedstat");
  double nanoseconds = 0;
  stats >> nanoseconds;
  return nanoseconds * 1e-9;
}

}  // namespace bench
