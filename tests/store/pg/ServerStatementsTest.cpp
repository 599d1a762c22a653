#include "store/pg/ServerStatements.h"

#include <gtest/gtest.h>

#include <future>

#include "store/pg/PgConnection.h"
#include "support/TestServer.h"

using store::pg::PgConnection;
using store::pg::PgResult;
using store::pg::PgValues;
using store::pg::ServerStatements;

namespace {

// The values a row was read with, in the table's column order.
PgValues Originals(const PgResult& result, int row = 0) {
  PgValues values;
  for (int c = 1; c < result.Columns(); ++c)
    values.push_back(result.IsNull(row, c) ? std::nullopt : std::optional<std::string>(result.Text(row, c)));
  return values;
}

PgValues Concat(PgValues head, std::string rowId, const PgValues& originals) {
  head.push_back(std::move(rowId));
  head.insert(head.end(), originals.begin(), originals.end());
  return head;
}

class ServerStatementsTest : public ServerFixture {
 protected:
  void SetUp() override {
    ServerFixture::SetUp();
    if (IsSkipped()) return;
    connection = std::make_unique<PgConnection>(database->Uri());
    lines =
        std::make_unique<ServerStatements>("QuoDilate", store::pg::ServerColumns(*connection, "QuoDilate"));
    // Cust_no, quotation_number, serial_number, name_number, then price (9) and ap_date (13).
    inserted = connection->Execute(lines->Insert({0, 1, 2, 3, 9, 13}),
                                   {"S001", "Q1", "1", "彩盒", "0.1", "2024-1-5"});
  }

  std::string RowId() const { return std::string(inserted.Text(0, 0)); }

  std::unique_ptr<PgConnection> connection;
  std::unique_ptr<ServerStatements> lines;
  PgResult inserted;
};

TEST_F(ServerStatementsTest, AnInsertReturnsTheRowAsTheServerHoldsIt) {
  ASSERT_EQ(inserted.Rows(), 1);
  ASSERT_EQ(inserted.Columns(), 15);
  EXPECT_FALSE(inserted.IsNull(0, 0));
  EXPECT_EQ(inserted.Text(0, 10), "0.1");
  EXPECT_EQ(inserted.Text(0, 14), "2024-01-05");  // as stored, not as typed
  EXPECT_TRUE(inserted.IsNull(0, 5));
  PgResult reread = connection->Execute(lines->Row(), {RowId()});
  ASSERT_EQ(reread.Rows(), 1);
  EXPECT_EQ(Originals(reread), Originals(inserted));
  EXPECT_EQ(connection->Execute(lines->Insert({})).Rows(), 1);
}

TEST_F(ServerStatementsTest, AnUpdateLandsOnlyWhileEveryColumnHoldsWhatWasRead) {
  const PgValues read = Originals(inserted);
  PgResult updated = connection->Execute(lines->Update({4, 9}), Concat({"350g", "0.3"}, RowId(), read));
  ASSERT_EQ(updated.Rows(), 1);
  EXPECT_EQ(updated.Text(0, 5), "350g");
  // The same originals again: the row has changed since, so nothing matches.
  EXPECT_EQ(connection->Execute(lines->Update({4}), Concat({"x"}, RowId(), read)).Rows(), 0);
  // Nulls match nulls and numbers match by their text.
  EXPECT_EQ(connection->Execute(lines->Update({4}), Concat({"y"}, RowId(), Originals(updated))).Rows(), 1);
  EXPECT_EQ(database->Scalar("select standard from QuoDilate"), "y");
}

TEST_F(ServerStatementsTest, OfTwoSessionsSavingTheSameRowAtOnceTheSecondMatchesNothing) {
  const PgValues read = Originals(inserted);
  connection->Begin();
  ASSERT_EQ(connection->Execute(lines->Update({3}), Concat({"first"}, RowId(), read)).Rows(), 1);
  // The second session waits for the first one's row lock, then checks the row as committed.
  auto second = std::async(std::launch::async, [&] {
    PgConnection other(database->Uri());
    return other.Execute(lines->Update({3}), Concat({"second"}, RowId(), read)).Rows();
  });
  EXPECT_EQ(second.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
  connection->Commit();
  EXPECT_EQ(second.get(), 0);
  EXPECT_EQ(database->Scalar("select name_number from QuoDilate"), "first");
}

TEST_F(ServerStatementsTest, ADeleteRemovesTheRowOnlyAsItWasRead) {
  const PgValues read = Originals(inserted);
  database->Execute("update QuoDilate set amount = 5");
  EXPECT_EQ(connection->Execute(lines->Delete(), Concat({}, RowId(), read)).AffectedRows(), 0);
  PgResult now = connection->Execute(lines->Row(), {RowId()});
  EXPECT_EQ(connection->Execute(lines->Delete(), Concat({}, RowId(), Originals(now))).AffectedRows(), 1);
  EXPECT_EQ(connection->Execute(lines->Delete(), Concat({}, RowId(), Originals(now))).AffectedRows(), 0);
  EXPECT_EQ(database->Scalar("select count(*) from QuoDilate"), "0");
}

}  // namespace
