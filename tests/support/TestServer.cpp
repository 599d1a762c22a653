#include "TestServer.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "store/pg/PgConnection.h"
#include "store/pg/ServerSchema.h"

namespace {

std::string FileText(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  std::string value = text.str();
  while (!value.empty() && (value.back() == '\n' || value.back() == ' ')) value.pop_back();
  return value;
}

}  // namespace

std::optional<std::string> TestServer::Uri(std::string* why) {
  if (const char* uri = std::getenv("SQ_TEST_PG_URI"); uri && *uri) return std::string(uri);
  const std::string state = SQ_PG_STATE_DIR;
  if (std::string uri = FileText(state + "/uri"); !uri.empty()) return uri;
  std::string skipped = FileText(state + "/skipped");
  *why = !skipped.empty()
             ? skipped
             : "no test server: run the tests through ctest, which starts one, or set SQ_TEST_PG_URI";
  return std::nullopt;
}

std::string WithDatabase(const std::string& uri, const std::string& database) {
  std::size_t authority = uri.find("://");
  std::size_t path = uri.find('/', authority == std::string::npos ? 0 : authority + 3);
  std::size_t query = uri.find('?');
  std::string head = uri.substr(0, path == std::string::npos ? std::min(query, uri.size()) : path);
  std::string tail = query == std::string::npos ? "" : uri.substr(query);
  return head + "/" + database + tail;
}

ServerDatabase::ServerDatabase(const std::string& serverUri, Tables tables) : serverUri_(serverUri) {
  static std::atomic<int> counter = 0;
  name_ = "sqtest_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
  store::pg::PgConnection(serverUri_).Execute("create database " + name_);
  uri_ = WithDatabase(serverUri_, name_);
  if (tables == Tables::Create) {
    store::pg::PgConnection connection(uri_);
    store::pg::CreateServerTables(connection);
  }
}

ServerDatabase::~ServerDatabase() {
  try {
    store::pg::PgConnection(serverUri_).Execute("drop database if exists " + name_ + " with (force)");
  } catch (...) {
    // The server went away with the database: nothing left to remove.
  }
}

void ServerDatabase::Execute(const std::string& sql) const {
  store::pg::PgConnection(uri_).ExecuteScript(sql);
}

std::string ServerDatabase::Scalar(const std::string& sql) const {
  store::pg::PgResult result = store::pg::PgConnection(uri_).Execute(sql);
  return result.Rows() > 0 && result.Columns() > 0 ? std::string(result.Text(0, 0)) : std::string();
}

void ServerFixture::SetUp() {
  std::string why;
  std::optional<std::string> uri = TestServer::Uri(&why);
  if (!uri) GTEST_SKIP() << "PostgreSQL test skipped: " << why;
  serverUri = *uri;
  database = std::make_unique<ServerDatabase>(serverUri);
}
