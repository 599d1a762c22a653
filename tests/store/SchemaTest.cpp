#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "store/Schema.h"
#include "store/StoreError.h"
#include "support/TempDatabase.h"

namespace {

std::string Columns(store::Connection& connection, const char* table) {
  store::QueryRecordSet query(connection, "ADOQuery1");
  query.SQL().Add(std::string("select * from ") + table);
  query.Open();
  std::string names;
  for (int i = 0; i < query.FieldCount(); ++i) names += (i ? "," : "") + query.FieldAt(i).FieldName();
  return names;
}

TEST(SchemaTest, TablesHaveEveryColumnInOrder) {
  TempDatabase db;
  store::Connection connection;
  db.Connect(connection);
  EXPECT_EQ(Columns(connection, "customer"),
            "cust_no,cust_name,all_name,incaddr,linkman,tel1,tel2,fax,PostalCode,email,sales,ap_user,ed_user,"
            "create_date,last_date");
  EXPECT_EQ(Columns(connection, "Quomaster"),
            "Cust_no,quotation_number,pay_mode,pay_condition,consign_mode,money_type,tax_type,tax_rate,"
            "quotation_date,availability_date,sales,ap_user,ed_user,ap_date,ed_data");
  EXPECT_EQ(
      Columns(connection, "QuoDilate"),
      "Cust_no,quotation_number,serial_number,name_number,standard,width,high,length,amount,price,totle,"
      "ap_user,ed_user,ap_date");
  EXPECT_EQ(db.Scalar("pragma journal_mode"), "wal");
}

TEST(SchemaTest, KeysRefuseDuplicatesAndMissingNumbers) {
  TempDatabase db;
  db.Execute("insert into customer (cust_no) values ('S001')");
  EXPECT_THROW(db.Execute("insert into customer (cust_no) values ('S001')"), store::StoreError);
  EXPECT_THROW(db.Execute("insert into customer (cust_name) values ('x')"), store::StoreError);
  db.Execute("insert into Quomaster (Cust_no, quotation_number) values ('S001', 'Q1'), ('S002', 'Q1')");
  EXPECT_THROW(db.Execute("insert into Quomaster (Cust_no, quotation_number) values ('S001', 'Q1')"),
               store::StoreError);
  EXPECT_THROW(db.Execute("insert into Quomaster (Cust_no) values ('S003')"), store::StoreError);
  db.Execute("insert into QuoDilate (Cust_no) values ('S001'), ('S001')");  // lines have no key
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate"), "2");
}

TEST(SchemaTest, CreatingNeverOverwritesAFile) {
  TempDatabase db;
  db.Execute("insert into customer (cust_no) values ('S001')");
  EXPECT_THROW(store::CreateDatabase(db.Path()), store::StoreError);
  EXPECT_THROW(store::CreateDemoDatabase(db.Path()), store::StoreError);
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "1");
}

TEST(SchemaTest, AFailedCreationLeavesNoFileBehind) {
  TempDatabase db;
  std::string path = db.Dir() + "/no-such-dir/new.mdb";
  EXPECT_THROW(store::CreateDatabase(path), store::StoreError);
  EXPECT_FALSE(std::filesystem::exists(path));
}

// Two creators racing for one name (two runs started in one folder): one
// wins, and the loser's clean-up must not remove the winner's file.
TEST(SchemaTest, ACreatorThatLosesARaceLeavesTheWinnersFile) {
  TempDatabase db;
  for (int round = 0; round < 40; ++round) {
    const std::string path = db.Dir() + "/race" + std::to_string(round) + ".mdb";
    std::atomic<bool> go = false;
    std::atomic<int> created = 0;
    auto create = [&] {
      while (!go) std::this_thread::yield();
      try {
        store::CreateDatabase(path);
        ++created;
      } catch (const store::StoreError&) {
      }
    };
    std::thread first(create), second(create);
    go = true;
    first.join();
    second.join();
    ASSERT_EQ(created, 1) << round;
    ASSERT_TRUE(std::filesystem::exists(path)) << round;
    store::Connection connection;
    connection.SetConnectionString("Data Source=" + path);
    ASSERT_EQ(Columns(connection, "customer").substr(0, 7), "cust_no") << round;
  }
}

TEST(SchemaTest, DemoDataIsCompleteAndConsistent) {
  TempDatabase db;
  std::string path = db.Dir() + "/demo.mdb";
  store::CreateDemoDatabase(path, 12);
  std::string report = store::CheckDatabase(path);
  EXPECT_NE(report.find("integrity: ok"), std::string::npos);
  EXPECT_NE(report.find("customer: 12 rows"), std::string::npos) << report;

  store::Connection connection;
  connection.SetConnectionString("Data Source=" + path);
  connection.Open();
  store::QueryRecordSet query(connection, "ADOQuery1");
  query.SQL().Add("select * from customer");
  query.Open();
  query.Last();
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S012");
  EXPECT_FALSE(query.FieldByName("all_name").AsString().empty());
  EXPECT_FALSE(query.FieldByName("incaddr").AsString().empty());
  EXPECT_EQ(query.FieldByName("create_date").AsString().size(), 10u);

  query.Close();
  query.SQL().Clear();
  query.SQL().Add(
      "select * from QuoDilate where not exists (select 1 from Quomaster m where m.Cust_no = "
      "QuoDilate.Cust_no "
      "and m.quotation_number = QuoDilate.quotation_number)");
  query.Open();
  EXPECT_EQ(query.RecordCount(), 0);  // every line has its header
  query.Close();
  query.SQL().Clear();
  query.SQL().Add(
      "select * from Quomaster where pay_mode not in "
      "('現金','支票','國內T/T','國內L/C','國外T/T','月結30天')");
  query.Open();
  EXPECT_EQ(query.RecordCount(), 0);
}

TEST(SchemaTest, CheckReportsDamageAndMissingFiles) {
  TempDatabase db;
  EXPECT_THROW(store::CheckDatabase(db.Dir() + "/none.mdb"), store::StoreError);
  std::string path = db.Dir() + "/broken.mdb";
  std::ofstream(path) << std::string(4096, 'x');
  EXPECT_THROW(store::CheckDatabase(path), store::StoreError);
}

// The command-line tool, when it has been built beside the tests.
TEST(SchemaToolTest, InitDemoAndCheckExitCodes) {
  auto tool = std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "samplequote-db";
  if (!std::filesystem::exists(tool)) GTEST_SKIP() << "samplequote-db not built";
  TempDatabase db;
  auto run = [&](const std::string& args) {
    int status = std::system((tool.string() + " " + args + " >/dev/null 2>&1").c_str());
    return WEXITSTATUS(status);
  };
  std::string path = db.Dir() + "/new.mdb";
  EXPECT_EQ(run("init " + path), 0);
  EXPECT_EQ(run("init " + path), 1);
  EXPECT_EQ(run("check " + path), 0);
  EXPECT_EQ(run("demo " + db.Dir() + "/demo.mdb"), 0);
  EXPECT_EQ(run("check " + db.Dir() + "/missing.mdb"), 1);
  EXPECT_EQ(run("frobnicate " + path), 2);
  EXPECT_EQ(run(""), 2);
}

}  // namespace
