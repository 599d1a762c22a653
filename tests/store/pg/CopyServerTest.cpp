// Copying into a database that is not empty, and the database tool's other
// commands on a server.
#include <gtest/gtest.h>

#include <filesystem>

#include "store/Connection.h"
#include "store/DatabaseCopy.h"
#include "store/QueryRecordSet.h"
#include "store/Schema.h"
#include "support/StoreMessage.h"
#include "support/DatabaseDump.h"
#include "support/TempDatabase.h"
#include "support/TestServer.h"

namespace {

class CopyServerTest : public ServerFixture {
 protected:
  void SetUp() override {
    ServerFixture::SetUp();
    if (IsSkipped()) return;
    empty = std::make_unique<ServerDatabase>(serverUri, ServerDatabase::Tables::None);
    std::filesystem::remove(files.Path());  // a name for files the test makes
  }

  std::string File(const char* name) const { return files.Dir() + "/" + name; }

  TempDatabase files;
  std::unique_ptr<ServerDatabase> empty;
};

TEST_F(CopyServerTest, ATargetThatHoldsRowsIsRefusedAndKeptAsItWas) {
  store::CreateDemoDatabase(File("demo.mdb"), 3);
  store::CopyDatabase(File("demo.mdb"), empty->Uri());
  const std::string before = Dump(empty->Uri());
  EXPECT_EQ(MessageOf([&] { store::CopyDatabase(File("demo.mdb"), empty->Uri()); }),
            "The target already holds rows (table customer): copy only into an empty database");
  EXPECT_EQ(Dump(empty->Uri()), before);
  EXPECT_NE(
      MessageOf([&] { store::CopyDatabase(empty->Uri(), File("demo.mdb")); }).find("already holds rows"),
      std::string::npos);
  // A copy that fails half-way leaves no new file behind.
  database->Execute(
      "insert into customer (cust_no) values ('S001'); alter table QuoDilate add column extra text");
  EXPECT_EQ(MessageOf([&] { store::CopyDatabase(database->Uri(), File("partial.mdb")); }),
            "The target's table QuoDilate has no column extra");
  EXPECT_FALSE(std::filesystem::exists(File("partial.mdb")));
}

// The copy there and back, and the demo data on either store: the conformance suite.
TEST_F(CopyServerTest, DemoInitAndCheckWorkOnAServer) {
  store::CreateDemoDatabase(empty->Uri(), 5);
  EXPECT_EQ(MessageOf([&] { store::CreateDatabase(empty->Uri()); }), "relation \"customer\" already exists");
  ServerDatabase fresh(serverUri, ServerDatabase::Tables::None);
  store::CreateDatabase(fresh.Uri());
  std::string report = store::CheckDatabase(fresh.Uri());
  EXPECT_EQ(report.substr(report.find('\n') + 1), "customer: 0 rows\nQuomaster: 0 rows\nQuoDilate: 0 rows\nQuoLife: 0 rows\nQuoIssued: 0 rows\nQuoHistory: 0 rows\n");
  EXPECT_EQ(report.rfind("server: PostgreSQL ", 0), 0u) << report;
}

}  // namespace
