#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "store/ReadQueue.h"
#include "store/RecordSet.h"
#include "store/Transaction.h"
#include "support/TempDatabase.h"

using store::DataSetState;
using store::ReadQueue;
using store::RecordSet;
using store::RecordSetEvent;

namespace {

constexpr int kCustomers = 1000;  // several slices beyond the first rows

// Customers S0001..S1000 in store order, read by a set whose queue is driven
// by the test itself, one slice at a time.
class SliceReadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.Execute(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < " +
        std::to_string(kCustomers) +
        ") insert into customer (cust_no, cust_name) select 'S' || printf('%04d', i), '公司' || i from n");
    ReadQueue::SetWake([this] { ++wakes; });
    db.Connect(connection);
    query.SQL().Add("select * from customer");
  }
  void TearDown() override { ReadQueue::SetWake(nullptr); }

  static std::vector<std::string> Column(RecordSet& set, int column) {
    std::vector<std::string> values;
    for (int row = 0; row < set.RecordCount(); ++row) values.push_back(set.CellText(row, column));
    return values;
  }
  std::vector<std::string> Numbers() { return Column(query, 0); }

  // True when another connection can copy the whole log into the file, which a
  // snapshot still held would prevent.
  bool LogFullyCheckpointed() const {
    sqlite3* other = nullptr;
    sqlite3_open(db.Path().c_str(), &other);
    sqlite3_exec(other, "pragma schema_version", nullptr, nullptr, nullptr);  // finds the log
    int log = -1, copied = -1;
    const int rc = sqlite3_wal_checkpoint_v2(other, nullptr, SQLITE_CHECKPOINT_PASSIVE, &log, &copied);
    sqlite3_close(other);
    return rc == SQLITE_OK && log > 0 && log == copied;
  }

  TempDatabase db;
  store::Connection connection;
  store::QueryRecordSet query{connection, "ADOQuery1"};
  int wakes = 0;
};

std::vector<std::string> Expected(int count) {
  std::vector<std::string> numbers;
  char text[16];
  for (int i = 1; i <= count; ++i) {
    std::snprintf(text, sizeof text, "S%04d", i);
    numbers.push_back(text);
  }
  return numbers;
}

TEST_F(SliceReadingTest, OpenReadsTheFirstRowsAndTheQueueReadsTheRestInOrder) {
  std::vector<RecordSetEvent> events;
  query.Subscribe([&](RecordSetEvent event) { events.push_back(event); });
  query.Open();
  EXPECT_TRUE(query.Reading());
  EXPECT_EQ(query.RecordsRead(), RecordSet::kFirstRows);
  EXPECT_EQ(wakes, 1);
  EXPECT_EQ(query.RecNo(), 0);
  EXPECT_FALSE(query.Eof());

  EXPECT_TRUE(ReadQueue::ReadSlice(300));
  EXPECT_EQ(query.RecordsRead(), RecordSet::kFirstRows + 300);
  while (ReadQueue::ReadSlice(300)) {
  }
  EXPECT_FALSE(query.Reading());
  EXPECT_FALSE(ReadQueue::Pending());
  EXPECT_EQ(query.RecNo(), 0);
  EXPECT_EQ(Numbers(), Expected(kCustomers));
  EXPECT_EQ(events.back(), RecordSetEvent::RowsRead);
}

TEST_F(SliceReadingTest, WritesElsewhereWhileReadingShowOnlyAtTheNextOpen) {
  query.Open();
  db.Execute(
      "insert into customer (cust_no) values ('S9999');"
      "update customer set cust_name = '改名' where cust_no = 'S0900';"
      "delete from customer where cust_no = 'S0950'");
  EXPECT_FALSE(LogFullyCheckpointed());  // the set still reads its snapshot
  EXPECT_EQ(Numbers(), Expected(kCustomers));
  EXPECT_EQ(query.CellText(899, 1), "公司900");
  EXPECT_TRUE(LogFullyCheckpointed());  // and let go of it with the last row

  query.Close();
  query.Open();
  auto numbers = Numbers();
  EXPECT_EQ(numbers.size(), static_cast<std::size_t>(kCustomers));
  EXPECT_EQ(numbers.back(), "S9999");
  EXPECT_EQ(std::count(numbers.begin(), numbers.end(), "S0950"), 0);
  EXPECT_EQ(query.CellText(899, 1), "改名");
}

TEST_F(SliceReadingTest, PostsAndDeletesWhileReadingNeitherLoseNorDuplicateRows) {
  query.Open();
  query.Insert();  // before the first row: the rest is not needed yet
  query.FieldByName("cust_no").SetAsString("S0000");
  query.Post();
  EXPECT_FALSE(query.Reading());
  query.MoveTo(10);
  query.Delete();  // S0010
  query.Append();
  EXPECT_EQ(query.RecNo(), kCustomers);
  query.FieldByName("cust_no").SetAsString("S1001");
  query.Post();

  auto expected = Expected(kCustomers + 1);
  expected.insert(expected.begin(), "S0000");
  expected.erase(expected.begin() + 10);
  EXPECT_EQ(Numbers(), expected);
  query.Close();
  query.Open();
  auto stored = Numbers();
  EXPECT_EQ(std::set<std::string>(stored.begin(), stored.end()),
            std::set<std::string>(expected.begin(), expected.end()));
  EXPECT_EQ(stored.size(), expected.size());
}

TEST_F(SliceReadingTest, AWriteThroughAnotherSetOfTheConnectionWaitsForTheReading) {
  query.Open();
  store::QueryRecordSet other{connection, "ADOQuery2"};
  other.SQL().Add("select * from customer where cust_no = 'S0001'");
  other.Open();  // a fresh snapshot for this one: the first set reads its rest now
  EXPECT_FALSE(query.Reading());
  query.Close();
  query.Open();
  // Written elsewhere after the snapshot began: a write from inside it would be refused.
  db.Execute("insert into customer (cust_no) values ('S9999')");
  other.Edit();
  other.FieldByName("cust_name").SetAsString("新名");
  other.Post();
  EXPECT_FALSE(query.Reading());
  EXPECT_EQ(Numbers(), Expected(kCustomers));
  EXPECT_EQ(query.CellText(0, 1), "公司1");
}

TEST_F(SliceReadingTest, OpeningAnotherSetOfTheConnectionSeesRowsWrittenMeanwhile) {
  query.Open();
  db.Execute("insert into customer (cust_no) values ('S9999')");
  store::QueryRecordSet other{connection, "ADOQuery2"};
  other.SQL().Add("select * from customer where cust_no = 'S9999'");
  other.Open();
  EXPECT_EQ(other.RecordCount(), 1);
  EXPECT_EQ(Numbers(), Expected(kCustomers));
}

// Moves, searches, closing and freeing while reading: the conformance suite, on every store.
TEST_F(SliceReadingTest, ClosingWhileReadingLetsGoOfTheSnapshot) {
  query.Open();
  db.Execute("insert into customer (cust_no) values ('S9999')");
  query.Close();
  EXPECT_TRUE(LogFullyCheckpointed());
}

TEST_F(SliceReadingTest, WholeResultAtOnceWithoutADriverOrInsideATransaction) {
  ReadQueue::SetWake(nullptr);
  query.Open();
  EXPECT_FALSE(query.Reading());
  EXPECT_EQ(query.RecordsRead(), kCustomers);
  query.Close();

  ReadQueue::SetWake([this] { ++wakes; });
  query.Open();
  ReadQueue::SetWake(nullptr);  // the driver goes: the rest is read, the snapshot ends
  EXPECT_FALSE(query.Reading());
  EXPECT_EQ(query.RecordsRead(), kCustomers);
  query.Close();

  ReadQueue::SetWake([this] { ++wakes; });
  store::Transaction transaction(connection);
  query.Open();
  EXPECT_FALSE(query.Reading());
}

TEST_F(SliceReadingTest, AMasterLinkOverLinesStillBeingReadIndexesThemAll) {
  db.Execute(
      "insert into Quomaster (Cust_no, quotation_number) values ('S0001', 'Q1'), ('S0002', 'Q1');"
      "with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000) "
      "insert into QuoDilate (Cust_no, quotation_number, serial_number) "
      "select case when i % 4 = 0 then 'S0002' else 'S0001' end, 'Q1', i from n");
  store::CommandRecordSet master{connection, "ADODataSetMaster"};
  store::CommandRecordSet lines{connection, "ADODataSetDilate"};
  master.SetCommandText("select * from Quomaster");
  master.Open();
  lines.SetCommandText("select * from QuoDilate");
  lines.Open();
  EXPECT_TRUE(lines.Reading());
  lines.SetMaster(&master);
  lines.SetMasterFields("Cust_no;Quotation_number");
  EXPECT_FALSE(lines.Reading());
  EXPECT_EQ(lines.RecordCount(), 750);
  master.Next();
  EXPECT_EQ(lines.RecordCount(), 250);
  EXPECT_EQ(lines.FieldByName("serial_number").AsString(), "4");

  lines.Close();
  master.Close();
  master.Open();
  lines.Open();  // linked from the start: read whole at once
  EXPECT_FALSE(lines.Reading());
  EXPECT_EQ(lines.RecordCount(), 750);
}

TEST_F(SliceReadingTest, AHeaderTakingItsLinesAlongWaitsForAnotherSetStillReading) {
  db.Execute(
      "insert into Quomaster (Cust_no, quotation_number) values ('S0001', 'Q1');"
      "insert into QuoDilate (Cust_no, quotation_number, serial_number) values ('S0001', 'Q1', 1)");
  store::CommandRecordSet master{connection, "ADODataSetMaster"};
  store::CommandRecordSet lines{connection, "ADODataSetDilate"};
  master.SetCommandText("select * from Quomaster");
  master.Open();
  lines.SetMaster(&master);
  lines.SetMasterFields("Cust_no;Quotation_number");
  lines.SetCommandText("select * from QuoDilate");
  lines.Open();
  query.Open();
  db.Execute("insert into customer (cust_no) values ('S9999')");
  master.Edit();
  master.FieldByName("quotation_number").SetAsString("Q2");
  master.Post();  // header and line in one savepoint, after the customers were read
  EXPECT_FALSE(query.Reading());
  EXPECT_EQ(db.Scalar("select quotation_number from QuoDilate"), "Q2");
  EXPECT_EQ(query.RecordCount(), kCustomers);
}

}  // namespace
