#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "store/ReadQueue.h"
#include "store/RecordSet.h"
#include "support/StoreDatabase.h"

using store::ReadQueue;
using store::RecordSet;

namespace {

std::string Number(int serial) {
  char text[16];
  std::snprintf(text, sizeof text, "S%04d", serial);
  return text;
}

// Customers S0001..S<count> read in slices (the queue driven by the test):
// everything that needs the whole result reads the rest of it at once, on
// results just under, at and over the rows Open reads, and on a long one.
class ReadEverythingTest : public ::testing::TestWithParam<std::tuple<StoreKind, int>> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    std::string values;
    for (int serial = 1; serial <= count; ++serial)
      values += (serial > 1 ? ", ('" : "('") + Number(serial) + "', '公司" + std::to_string(serial) + "')";
    db.Execute("insert into customer (cust_no, cust_name) values " + values);
    ReadQueue::SetWake([] {});
    db.Connect(connection);
    query.SQL().Add("select * from customer");
  }
  void TearDown() override { ReadQueue::SetWake(nullptr); }

  void Reopen() {
    query.Close();
    query.Open();
  }
  std::string CurrentNumber() { return query.FieldByName("cust_no").AsString(); }

  StoreDatabase db{std::get<0>(GetParam())};
  const int count = std::get<1>(GetParam());
  store::Connection connection;
  store::QueryRecordSet query{connection, "ADOQuery1"};
};

TEST_P(ReadEverythingTest, TheRestIsReadInOneGoAndEveryWholeResultOperationEnds) {
  query.Open();
  EXPECT_EQ(query.RecordsRead(), std::min(count, RecordSet::kFirstRows));
  const bool more = query.ReadMore(INT_MAX);
  // A source that never finishes would hang every read of the whole result below.
  if (more) query.Close();
  ASSERT_FALSE(more);
  ASSERT_EQ(query.RecordsRead(), count);
  EXPECT_EQ(query.CellText(count - 1, 0), Number(count));

  Reopen();
  query.Last();
  EXPECT_EQ(CurrentNumber(), Number(count));
  Reopen();
  EXPECT_EQ(query.RecordCount(), count);
  Reopen();
  EXPECT_TRUE(query.Locate("cust_no", Number(count)));
  EXPECT_EQ(query.RecNo(), count - 1);
  Reopen();
  query.ReadMore(1);
  query.ReadAll();
  EXPECT_FALSE(query.Reading());
  EXPECT_EQ(query.RecordsRead(), count);
  for (int row = 0; row < count; ++row) ASSERT_EQ(query.CellText(row, 0), Number(row + 1)) << row;
}

TEST_P(ReadEverythingTest, SlicesOfTheQueueEndWithTheLastRow) {
  query.Open();
  int slices = 0;
  while (ReadQueue::ReadSlice(100)) ASSERT_LT(++slices, count) << "the reading never ends";
  EXPECT_FALSE(query.Reading());
  EXPECT_EQ(query.RecordsRead(), count);
}

INSTANTIATE_TEST_SUITE_P(Stores, ReadEverythingTest,
                         ::testing::Combine(::testing::Values(StoreKind::File, StoreKind::Server),
                                            ::testing::Values(RecordSet::kFirstRows - 1,
                                                              RecordSet::kFirstRows,
                                                              RecordSet::kFirstRows + 1, 1000)),
                         [](const auto& info) {
                           return StoreName(std::get<0>(info.param)) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });

}  // namespace
