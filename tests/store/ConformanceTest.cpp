// What the record sets rely on from a store, written once and run on each
// store: reading results of every size around the first slice, posting and
// its refusals, row identity, customer numbers and copying between stores.
// A third store passes these before any window runs on it.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "store/Backend.h"
#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/CustomerNumber.h"
#include "store/DatabaseCopy.h"
#include "store/QueryRecordSet.h"
#include "store/ReadQueue.h"
#include "store/RecordSet.h"
#include "store/Schema.h"
#include "support/DatabaseDump.h"
#include "support/StoreDatabase.h"
#include "support/StoreMessage.h"
#include "support/TempDatabase.h"
#include "support/TestServer.h"

using store::DataSetState;
using store::ReadQueue;
using store::RecordSet;

namespace {

constexpr const char* kConflict =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

std::string Number(int serial) {
  char text[16];
  std::snprintf(text, sizeof text, "S%06d", serial);
  return text;
}

// Customers S000001..S<count> added by another program, in statements of a
// bounded size.
void AddCustomers(const StoreDatabase& db, int count) {
  constexpr int kPerStatement = 5000;
  for (int first = 1; first <= count; first += kPerStatement) {
    std::string values;
    for (int serial = first; serial <= count && serial < first + kPerStatement; ++serial)
      values +=
          (values.empty() ? "('" : ", ('") + Number(serial) + "', '公司" + std::to_string(serial) + "')";
    db.Execute("insert into customer (cust_no, cust_name) values " + values);
  }
}

// Results just under, at and over the rows Open reads first, none, one and many.
class ReadingConformance : public ::testing::TestWithParam<std::tuple<StoreKind, int>> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    AddCustomers(db, count);
    ReadQueue::SetWake([] {});  // reading in slices, as the program does
    db.Connect(connection);
    query.SQL().Add("select * from customer");
  }
  void TearDown() override { ReadQueue::SetWake(nullptr); }

  void Reopen() {
    query.Close();
    query.Open();
  }
  std::string Current() { return query.FieldByName("cust_no").AsString(); }
  // A source that never ends would hang every whole-result operation: fail instead.
  void RequireTheReadingEnds() {
    query.Open();
    const bool more = query.ReadMore(INT_MAX);
    if (more) query.Close();
    ASSERT_FALSE(more) << "the rest of the result was asked for and rows remain";
    query.Close();
  }

  StoreDatabase db{std::get<0>(GetParam())};
  const int count = std::get<1>(GetParam());
  store::Connection connection;
  store::QueryRecordSet query{connection, "ADOQuery1"};
};

TEST_P(ReadingConformance, EveryOperationOnTheWholeResultReadsItToTheEnd) {
  query.Open();
  EXPECT_EQ(query.RecordsRead(), std::min(count, RecordSet::kFirstRows));
  // A result of exactly the first rows may or may not know yet that it has ended.
  if (count != RecordSet::kFirstRows) {
    EXPECT_EQ(query.Reading(), count > RecordSet::kFirstRows);
  }
  query.Close();
  ASSERT_NO_FATAL_FAILURE(RequireTheReadingEnds());

  query.Open();
  EXPECT_EQ(query.RecordCount(), count);
  Reopen();
  query.Last();
  EXPECT_TRUE(query.Eof());
  EXPECT_EQ(query.RecNo(), count - 1);
  if (count > 0) {
    EXPECT_EQ(Current(), Number(count));
  }
  Reopen();
  EXPECT_EQ(query.Locate("cust_no", Number(count)), count > 0);
  EXPECT_EQ(query.RecNo(), count - 1);
  Reopen();
  query.ReadAll();
  EXPECT_FALSE(query.Reading());
  ASSERT_EQ(query.RecordsRead(), count);
  for (int row = 0; row < count; ++row) ASSERT_EQ(query.CellText(row, 0), Number(row + 1)) << row;
}

TEST_P(ReadingConformance, MovesAndSearchesPastTheRowsReadReadOn) {
  ASSERT_NO_FATAL_FAILURE(RequireTheReadingEnds());
  query.Open();
  const int edge = std::min(count, RecordSet::kFirstRows) - 1;
  if (edge >= 0) query.MoveTo(edge);
  query.Next();
  EXPECT_EQ(query.RecNo(), std::min(count - 1, RecordSet::kFirstRows));
  EXPECT_EQ(query.Eof(), count <= RecordSet::kFirstRows);
  EXPECT_FALSE(query.Locate("cust_no", "S"));  // no partial match, and the row stays
  EXPECT_EQ(query.RecNo(), std::min(count - 1, RecordSet::kFirstRows));
  EXPECT_FALSE(query.Reading());
  if (count == 0) return;
  Reopen();
  query.MoveTo(count - 1);
  EXPECT_EQ(Current(), Number(count));
  query.Next();
  EXPECT_TRUE(query.Eof());
  EXPECT_EQ(Current(), Number(count));
  query.First();
  EXPECT_EQ(Current(), Number(1));
}

TEST_P(ReadingConformance, SlicesOfTheQueueEndWithTheLastRow) {
  query.Open();
  int slices = 0;
  while (ReadQueue::ReadSlice(1000)) ASSERT_LE(++slices, count / 1000 + 1) << "the reading never ends";
  EXPECT_FALSE(query.Reading());
  EXPECT_EQ(query.RecordsRead(), count);
}

TEST_P(ReadingConformance, ClosingOrFreeingWhileReadingLeavesNothingBehind) {
  query.Open();
  query.Close();
  EXPECT_FALSE(query.Reading());
  EXPECT_FALSE(ReadQueue::Pending());

  auto other = std::make_unique<store::QueryRecordSet>(connection, "ADOQuery2");
  other->SQL().Add("select * from customer");
  other->Open();
  other.reset();
  EXPECT_FALSE(ReadQueue::ReadSlice(100));

  query.Open();
  connection.Close();
  EXPECT_FALSE(query.Active());
  EXPECT_FALSE(ReadQueue::Pending());
  connection.Open();
  query.Open();
  EXPECT_EQ(query.RecordCount(), count);
}

INSTANTIATE_TEST_SUITE_P(Stores, ReadingConformance,
                         ::testing::Combine(::testing::Values(StoreKind::File, StoreKind::Server),
                                            ::testing::Values(0, 1, RecordSet::kFirstRows - 1,
                                                              RecordSet::kFirstRows,
                                                              RecordSet::kFirstRows + 1, 100000)),
                         [](const auto& info) {
                           return StoreName(std::get<0>(info.param)) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });

// One store's database, and the two windows of the program on it.
class StoreConformance : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    db.Execute(
        "insert into customer (cust_no, cust_name) values ('S001', '宏達'), ('S002', '建興');"
        "insert into Quomaster (Cust_no, quotation_number, pay_mode) values ('S001', 'Q1', '現金'), "
        "('S002', 'Q2', '支票');"
        "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number) values "
        "('S001', 'Q1', 1, '彩盒'), ('S002', 'Q2', 1, '紙箱')");
    db.Connect(first);
    db.Connect(second);
  }

  std::string Allocate() { return store::NextCustNoInTable(first); }

  StoreDatabase db{GetParam()};
  store::Connection first, second;
};

// A post the store refuses: what another user does first, and the post itself.
struct Refusal {
  const char* name;
  const char* table;
  const char* byAnother;  // SQL run by another program after the set opened
  std::function<void(store::CommandRecordSet&, store::CommandRecordSet&)> post;  // (header, lines)
  const char* message;  // nullptr: the store's own text, whatever it is
  const char* field;    // what was typed, kept after the refusal
  const char* typed;
};

void Type(RecordSet& set, const char* field, const char* value) { set.FieldByName(field).SetAsString(value); }

const Refusal kRefusals[] = {
    {"update of a row changed meanwhile", "customer",
     "update customer set tel1 = '02' where cust_no = 'S001'",
     [](auto& set, auto&) {
       set.Edit();
       Type(set, "cust_name", "甲");
       set.Post();
     },
     kConflict, "cust_name", "甲"},
    {"update of a row deleted meanwhile", "customer", "delete from customer where cust_no = 'S001'",
     [](auto& set, auto&) {
       set.Edit();
       Type(set, "cust_name", "甲");
       set.Post();
     },
     kConflict, "cust_name", "甲"},
    {"a number another program took", "customer", "insert into customer (cust_no) values ('S003')",
     [](auto& set, auto&) {
       set.Append();
       Type(set, "cust_no", "S003");
       Type(set, "cust_name", "乙");
       set.Post();
     },
     nullptr, "cust_name", "乙"},
    {"a line under a header deleted meanwhile", "Quomaster",
     "delete from QuoDilate where quotation_number = 'Q1'; delete from Quomaster where quotation_number = "
     "'Q1'",
     [](auto&, auto& lines) {
       lines.Append();
       Type(lines, "name_number", "吸塑盒");
       lines.Post();
     },
     nullptr, "name_number", "吸塑盒"},
    {"a line under a header renumbered meanwhile", "Quomaster",
     "update Quomaster set quotation_number = 'Q9'",
     [](auto&, auto& lines) {
       lines.Append();
       Type(lines, "name_number", "吸塑盒");
       lines.Post();
     },
     nullptr, "name_number", "吸塑盒"},
};

// Refused, the post says so, keeps the typing pending and leaves the store as
// the other program left it.
TEST_P(StoreConformance, ARefusedPostSaysSoKeepsTheTypingAndWritesNothing) {
  for (const Refusal& refusal : kRefusals) {
    SCOPED_TRACE(refusal.name);
    store::CommandRecordSet header(first, "ADODataSetMaster"), lines(first, "ADODataSetDilate");
    header.SetCommandText(std::string("select * from ") + refusal.table);
    header.Open();
    if (std::string(refusal.table) == "Quomaster") {
      lines.SetMaster(&header);
      lines.SetMasterFields("Cust_no;Quotation_number");
      lines.SetCommandText("select * from QuoDilate");
      lines.Open();
    }
    db.Execute(refusal.byAnother);
    const std::string before = Dump(db.Target());
    RecordSet& refused =
        std::string(refusal.field) == "name_number" ? static_cast<RecordSet&>(lines) : header;
    const std::string message = MessageOf([&] { refusal.post(header, lines); });
    if (refusal.message)
      EXPECT_EQ(message, refusal.message);
    else
      EXPECT_NE(message, "(no error)");
    EXPECT_NE(refused.State(), DataSetState::Browse);
    EXPECT_EQ(refused.FieldByName(refusal.field).AsString(), refusal.typed);
    EXPECT_EQ(Dump(db.Target()), before);
    refused.Cancel();
  }
}

// The row identity: rows come in the order they were added, an update keeps a
// row in its place, and a statement may order by the identity by the name the
// store gives it (as the documents order the lines they print).
TEST_P(StoreConformance, RowsKeepTheOrderTheyWereAddedInAndTheirIdentityOrdersThem) {
  db.Execute(
      "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number) values "
      "('S001', 'Q1', 1, '說明書'), ('S001', 'Q1', 1, '手提袋');"
      "update QuoDilate set name_number = '彩盒改' where name_number = '彩盒'");
  store::QueryRecordSet lines(first, "ADOQuery1");
  lines.SQL().Add("select * from QuoDilate where quotation_number = 'Q1' order by serial_number, " +
                  std::string(first.Store().RowIdColumn()));
  lines.Open();
  std::vector<std::string> names;
  for (int row = 0; row < lines.RecordCount(); ++row) names.push_back(lines.CellText(row, 3));
  EXPECT_EQ(names, (std::vector<std::string>{"彩盒改", "說明書", "手提袋"}));
  // A row just added is found again by its identity: edited and deleted without a reopen.
  lines.Append();
  Type(lines, "name_number", "貼紙");
  lines.Post();
  lines.Edit();
  Type(lines, "name_number", "貼紙標籤");
  lines.Post();
  EXPECT_EQ(db.Joined("name_number", "QuoDilate where quotation_number is null"), "貼紙標籤");
  lines.Delete();
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate"), "4");
}

// New's number follows the highest serial in the table, whatever order the
// rows were stored in; numbers the conversion refuses take no part.
TEST_P(StoreConformance, NewNumbersFollowTheHighestSerial) {
  db.Execute("delete from QuoDilate; delete from Quomaster; delete from customer");
  EXPECT_EQ(Allocate(), "S001");
  db.Execute("insert into customer (cust_no) values ('S010'), ('S002'), ('S009'), ('X045'), ('S012AB')");
  EXPECT_EQ(Allocate(), "S046");
  db.Execute("insert into customer (cust_no) values ('S1000'), ('S999'), ('S1001'), ('S200')");
  EXPECT_EQ(Allocate(), "S1002");
  db.Execute("delete from customer where cust_no in ('S1000', 'S1001', 'X045', 'S012AB')");
  EXPECT_EQ(Allocate(), "S1000");
  db.Execute(
      "delete from customer; insert into customer (cust_no) values ('S003'), ('S0A1'), ('S00A'), "
      "('S 99'), ('S+99'), ('S99A'), ('S20240101001'), ('S2147483647'), ('S-05'), ('S'), ('客')");
  EXPECT_EQ(Allocate(), "S004");
}

// The highest serial counts rows another connection of the program added, and
// a set of its own still reading does not hide them.
TEST_P(StoreConformance, NewNumbersSeeEveryRowWhileASetIsStillReading) {
  ReadQueue::SetWake([] {});
  AddCustomers(db, RecordSet::kFirstRows * 2);
  store::QueryRecordSet customers(first, "ADOQuery1");
  customers.SQL().Add("select * from customer");
  customers.Open();
  db.Execute("insert into customer (cust_no) values ('S999999')");
  EXPECT_EQ(Allocate(), "S1000000");
  customers.Last();
  EXPECT_EQ(customers.FieldByName("cust_no").AsString(), Number(RecordSet::kFirstRows * 2));
  ReadQueue::SetWake(nullptr);
}

// An empty database of the other kind, for a copy to go to.
class OtherStore {
 public:
  explicit OtherStore(StoreKind kind) {
    if (kind == StoreKind::File) {
      target_ = files_.Dir() + "/copy.mdb";
      return;
    }
    if (std::optional<std::string> uri = TestServer::Uri(&why_)) {
      server_ = std::make_unique<ServerDatabase>(*uri, ServerDatabase::Tables::None);
      target_ = server_->Uri();
    }
  }
  const std::string& Target() const { return target_; }
  const std::string& SkipReason() const { return why_; }

 private:
  TempDatabase files_;
  std::unique_ptr<ServerDatabase> server_;
  std::string target_, why_;
};

StoreKind Other(StoreKind kind) { return kind == StoreKind::File ? StoreKind::Server : StoreKind::File; }

// Values at the edges of each column's type, as another tool could have written them.
void AddOddValues(const StoreDatabase& db) {
  db.Execute(
      "insert into customer (cust_no, cust_name, all_name, incaddr, email, create_date) values "
      "('S901', '', 'O''Brien \\ C:\\DIR %_', '" +
      std::string(40000, 'x') +
      "', 'tab\there\nline', '2024-02-29');"
      "insert into Quomaster (Cust_no, quotation_number, tax_rate, quotation_date) values "
      "('S901', 'Q901', 0.30000000000000004, '1999-12-31');"
      "insert into QuoDilate (Cust_no, quotation_number, serial_number, width, amount, price, totle) values "
      "('S901', 'Q901', 2147483647, 1e-300, -0.0, 12345678901.25, 1e300)");
}

// A database copied to the other store and back reads the same everywhere.
TEST_P(StoreConformance, ACopyToTheOtherStoreAndBackIsExact) {
  OtherStore there(Other(GetParam())), back(GetParam());
  if (there.Target().empty() || back.Target().empty())
    GTEST_SKIP() << "PostgreSQL test skipped: " << there.SkipReason() << back.SkipReason();
  AddOddValues(db);
  const std::string original = Dump(db.Target());
  EXPECT_EQ(store::CopyDatabase(db.Target(), there.Target()),
            "customer: 3 rows copied\nQuomaster: 3 rows copied\nQuoDilate: 3 rows copied\n"
            "QuoLife: 0 rows copied\nQuoIssued: 0 rows copied\nQuoHistory: 0 rows copied\n");
  EXPECT_EQ(Dump(there.Target()), original);
  store::CopyDatabase(there.Target(), back.Target());
  EXPECT_EQ(Dump(back.Target()), original);
  // Their checks count the same rows.
  const auto counts = [](const std::string& target) {
    const std::string report = store::CheckDatabase(target);
    return report.substr(report.find('\n') + 1);
  };
  EXPECT_EQ(counts(there.Target()), counts(db.Target()));
  EXPECT_EQ(counts(back.Target()), counts(db.Target()));
}

// The demo data is the same whichever store it is made on, and survives the round trip.
TEST_P(StoreConformance, TheDemoDataIsTheSameOnEveryStoreAndCopiesExactly) {
  OtherStore demo(GetParam()), there(Other(GetParam())), file(StoreKind::File);
  if (demo.Target().empty() || there.Target().empty())
    GTEST_SKIP() << "PostgreSQL test skipped: " << demo.SkipReason() << there.SkipReason();
  store::CreateDemoDatabase(demo.Target());
  store::CreateDemoDatabase(file.Target());
  const std::string original = Dump(file.Target());
  EXPECT_GT(original.size(), 1000u);
  EXPECT_EQ(Dump(demo.Target()), original);
  store::CopyDatabase(demo.Target(), there.Target());
  EXPECT_EQ(Dump(there.Target()), original);
}

INSTANTIATE_TEST_SUITE_P(Stores, StoreConformance, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
