#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

namespace store::pg {
class PgConnection;
}

// The PostgreSQL server the tests use: the one SQ_TEST_PG_URI names, else the
// throwaway cluster that CTest starts before the tests that need it.
class TestServer {
 public:
  // The server's URI; nullopt when there is none, with the reason in *why.
  static std::optional<std::string> Uri(std::string* why);
};

// A new database of its own on the test server, holding the three tables (or
// none), dropped with the object, with whoever is still connected to it.
class ServerDatabase {
 public:
  enum class Tables { Create, None };
  explicit ServerDatabase(const std::string& serverUri, Tables tables = Tables::Create);
  ~ServerDatabase();
  ServerDatabase(const ServerDatabase&) = delete;
  ServerDatabase& operator=(const ServerDatabase&) = delete;

  const std::string& Uri() const { return uri_; }
  const std::string& Name() const { return name_; }
  // Runs SQL on a session of its own, as another program would.
  void Execute(const std::string& sql) const;
  // The single value a query returns, "" for null.
  std::string Scalar(const std::string& sql) const;

 private:
  std::string serverUri_;
  std::string name_;
  std::string uri_;
};

// The URI with its database name replaced.
std::string WithDatabase(const std::string& uri, const std::string& database);

// A test on a fresh database of the test server; skipped, loudly, when there is
// no server. A fixture deriving from it returns from its SetUp when IsSkipped().
class ServerFixture : public ::testing::Test {
 protected:
  void SetUp() override;

  std::string serverUri;
  std::unique_ptr<ServerDatabase> database;
};
