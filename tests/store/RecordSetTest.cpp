#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "store/RecordSet.h"
#include "store/StoreError.h"
#include "support/StoreDatabase.h"
#include "support/StoreMessage.h"
#include "support/TempDatabase.h"

using store::DataSetState;
using store::RecordSetEvent;
using store::StoreError;

namespace {

class RecordSetTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    db.Execute(
        "insert into customer (cust_no, cust_name, incaddr) values "
        "('S001', '宏達電子', '台北市'), ('S002', '建興五金', '新竹市'), ('S003', '永豐塑膠', '台中市')");
    db.Connect(connection);
    query.SQL().Add("select * from customer");
  }

  std::vector<std::string> Numbers() {
    std::vector<std::string> numbers;
    for (int row = 0; row < query.RecordCount(); ++row) numbers.push_back(query.CellText(row, 0));
    return numbers;
  }

  StoreDatabase db{GetParam()};
  store::Connection connection;
  store::QueryRecordSet query{connection, "ADOQuery1"};
};

TEST_P(RecordSetTest, OpenReadsEveryRowAndStandsOnTheFirst) {
  EXPECT_EQ(query.State(), DataSetState::Inactive);
  query.Open();
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(query.RecordCount(), 3);
  EXPECT_EQ(query.RecNo(), 0);
  EXPECT_TRUE(query.Bof());
  EXPECT_FALSE(query.Eof());
  EXPECT_EQ(query.FieldCount(), 15);
  EXPECT_EQ(query.FieldAt(0).FieldName(), "cust_no");
  EXPECT_EQ(query.FieldByName("CUST_NAME").AsString(), "宏達電子");
  EXPECT_EQ(query.FieldByName("all_name").AsString(), "");
  EXPECT_TRUE(query.FieldByName("all_name").IsNull());
  EXPECT_EQ(query.TableName(), "customer");
}

TEST_P(RecordSetTest, MovesWalkTheRowsAndSetBofEof) {
  query.Open();
  query.Next();
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S002");
  query.Last();
  EXPECT_TRUE(query.Eof());
  query.Next();
  EXPECT_EQ(query.RecNo(), 2);
  EXPECT_TRUE(query.Eof());
  query.Prior();
  EXPECT_FALSE(query.Eof());
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S002");
  query.First();
  query.Prior();
  EXPECT_TRUE(query.Bof());
  EXPECT_EQ(query.RecNo(), 0);
  query.MoveTo(2);
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S003");

  std::vector<std::string> seen;
  for (query.First(); !query.Eof(); query.Next()) seen.push_back(query.FieldByName("cust_no").AsString());
  EXPECT_EQ(seen, (std::vector<std::string>{"S001", "S002", "S003"}));
}

TEST_P(RecordSetTest, ClosedSetRefusesOperationsWithItsName) {
  const std::string closed = "ADOQuery1: Cannot perform this operation on a closed dataset";
  EXPECT_EQ(MessageOf([&] { query.First(); }), closed);
  EXPECT_EQ(MessageOf([&] { query.Next(); }), closed);
  EXPECT_EQ(MessageOf([&] { query.Append(); }), closed);
  EXPECT_EQ(MessageOf([&] { query.Edit(); }), closed);
  EXPECT_EQ(MessageOf([&] { query.Delete(); }), closed);
  EXPECT_EQ(MessageOf([&] { query.Locate("cust_no", "S001"); }), closed);
  EXPECT_EQ(MessageOf([&] { query.Post(); }), "ADOQuery1: Dataset not in edit or insert mode");
  EXPECT_NO_THROW(query.Cancel());
  EXPECT_NO_THROW(query.Close());
  EXPECT_EQ(query.RecordCount(), 0);
  EXPECT_TRUE(query.Eof());
}

TEST_P(RecordSetTest, MessagesOfTheOpenSet) {
  query.Open();
  EXPECT_EQ(MessageOf([&] { query.Post(); }), "ADOQuery1: Dataset not in edit or insert mode");
  EXPECT_EQ(MessageOf([&] { query.FieldByName("cust_nr"); }), "ADOQuery1: Field 'cust_nr' not found");
  EXPECT_EQ(query.FindField("cust_nr"), nullptr);
  EXPECT_EQ(MessageOf([&] { query.FieldByName("cust_name").SetAsString("x"); }),
            "ADOQuery1: Dataset not in edit or insert mode");

  store::QueryRecordSet empty(connection, "ADOQuery2");
  empty.SQL().Add("select * from customer where cust_no = 'none'");
  empty.Open();
  EXPECT_EQ(MessageOf([&] { empty.Delete(); }),
            "ADOQuery2: Cannot perform this operation on an empty dataset");
  EXPECT_EQ(empty.RecNo(), -1);
  EXPECT_TRUE(empty.Bof() && empty.Eof());
  EXPECT_EQ(empty.FieldByName("cust_no").AsString(), "");
}

TEST_P(RecordSetTest, StoreErrorsCarrySqliteText) {
  query.SQL().Clear();
  query.SQL().Add("select * from customer where cust_no like '%'S%'");
  std::string message = MessageOf([&] { query.Open(); });
  EXPECT_NE(message.find("syntax error"), std::string::npos) << message;
  EXPECT_FALSE(query.Active());

  query.SQL().Clear();
  query.SQL().Add("select * from customers");
  EXPECT_EQ(MessageOf([&] { query.Open(); }), GetParam() == StoreKind::File
                                                  ? "no such table: customers"
                                                  : "relation \"customers\" does not exist");

  query.SQL().Clear();
  query.SQL().Add("select cust_no from customer");
  EXPECT_NE(MessageOf([&] { query.Open(); }).find("ADOQuery1: The statement must read all columns"),
            std::string::npos);
}

TEST_P(RecordSetTest, SqlLinesCloseTheSetOnEveryChange) {
  query.Open();
  query.SQL().Clear();
  EXPECT_FALSE(query.Active());
  query.SQL().Add("select * from customer");
  query.SQL().Add("where cust_no > 'S001'");
  EXPECT_EQ(query.SQL().Text(), "select * from customer\nwhere cust_no > 'S001'");
  query.Open();
  EXPECT_EQ(query.RecordCount(), 2);
  query.SQL().Add("order by cust_no desc");
  EXPECT_FALSE(query.Active());
  query.Open();
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"S003", "S002"}));
  query.Open();  // opening an open set does nothing
  EXPECT_EQ(query.RecordCount(), 2);
}

TEST_P(RecordSetTest, CommandSetTakesItsTextAtTheNextOpen) {
  store::CommandRecordSet master(connection, "ADODataSetMaster");
  master.SetCommandText("select  * from Quomaster");
  master.Open();
  EXPECT_EQ(master.RecordCount(), 0);
  master.SetCommandText("select * from customer");
  EXPECT_EQ(master.FieldAt(0).FieldName(), "Cust_no");  // still the old command
  master.Close();
  master.Open();
  EXPECT_EQ(master.RecordCount(), 3);
  master.Close();
  master.SetCommandType(store::CommandType::Table);
  master.SetCommandText("customer");
  master.Open();
  EXPECT_EQ(master.RecordCount(), 3);
}

TEST_P(RecordSetTest, AppendPostWritesANewRow) {
  query.Open();
  query.Append();
  EXPECT_EQ(query.State(), DataSetState::Insert);
  EXPECT_EQ(query.RecordCount(), 4);
  EXPECT_EQ(query.RecNo(), 3);
  EXPECT_FALSE(query.Modified());
  query.FieldByName("cust_no").SetAsString("S004");
  query.FieldByName("cust_name").SetAsString("振昌印刷");
  query.FieldByName("create_date").SetAsString("2024-03-05");
  EXPECT_TRUE(query.Modified());
  EXPECT_EQ(query.CellText(3, 1), "振昌印刷");
  query.Post();
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(db.Scalar("select cust_name || '/' || create_date from customer where cust_no = 'S004'"),
            "振昌印刷/2024-03-05");
  // The posted row can be edited again by its new identity.
  query.Edit();
  query.FieldByName("cust_name").SetAsString("振昌");
  query.Post();
  EXPECT_EQ(db.Scalar("select cust_name from customer where cust_no = 'S004'"), "振昌");
}

TEST_P(RecordSetTest, InsertAddsBeforeTheCurrentRowAndCancelRestores) {
  query.Open();
  query.Next();
  query.Insert();
  EXPECT_EQ(query.RecNo(), 1);
  EXPECT_EQ(query.CellText(2, 0), "S002");
  query.Cancel();
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(query.RecordCount(), 3);
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S002");

  query.Append();
  query.Cancel();
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S002");
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "3");
}

TEST_P(RecordSetTest, MovesPostAChangedRowAndDropAnUntouchedOne) {
  query.Open();
  query.Append();
  query.Next();  // untouched: dropped
  EXPECT_EQ(query.RecordCount(), 3);
  EXPECT_EQ(query.State(), DataSetState::Browse);

  query.First();
  query.Edit();
  query.FieldByName("cust_name").SetAsString("宏達");
  query.Next();  // changed: posted
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(db.Scalar("select cust_name from customer where cust_no = 'S001'"), "宏達");

  query.Append();
  query.FieldByName("cust_no").SetAsString("S009");
  query.Append();  // the first new row is posted, a second one begins
  EXPECT_EQ(db.Scalar("select count(*) from customer where cust_no = 'S009'"), "1");
  EXPECT_EQ(query.RecordCount(), 5);
  query.Cancel();
  EXPECT_EQ(query.RecordCount(), 4);
}

TEST_P(RecordSetTest, MoveToTheCurrentRowKeepsTheNewRowAndOtherRowsFinishIt) {
  query.Open();
  query.Append();
  query.MoveTo(3);
  EXPECT_EQ(query.State(), DataSetState::Insert);
  query.MoveTo(1);
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(query.RecordCount(), 3);
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S002");

  query.Insert();  // before S002; dropping it shifts the rows after it back
  query.MoveTo(3);
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S003");
  EXPECT_THROW(query.MoveTo(3), StoreError);
}

TEST_P(RecordSetTest, EditStates) {
  query.Open();
  query.Edit();
  EXPECT_EQ(query.State(), DataSetState::Edit);
  query.FieldByName("cust_name").SetAsString("改");
  query.Edit();  // nothing while editing
  EXPECT_EQ(query.FieldByName("cust_name").AsString(), "改");
  query.Cancel();
  EXPECT_EQ(query.FieldByName("cust_name").AsString(), "宏達電子");
  EXPECT_EQ(db.Scalar("select cust_name from customer where cust_no = 'S001'"), "宏達電子");
  query.Cancel();  // nothing in browse
  EXPECT_EQ(query.State(), DataSetState::Browse);

  query.SQL().Clear();
  query.SQL().Add("select * from customer where cust_no = 'none'");
  query.Open();
  query.Edit();  // on an empty set: appends
  EXPECT_EQ(query.State(), DataSetState::Insert);
  EXPECT_EQ(query.RecordCount(), 1);
}

TEST_P(RecordSetTest, CloseDropsAPendingRow) {
  query.Open();
  query.Edit();
  query.FieldByName("cust_name").SetAsString("不存");
  query.Close();
  EXPECT_EQ(query.State(), DataSetState::Inactive);
  EXPECT_EQ(db.Scalar("select cust_name from customer where cust_no = 'S001'"), "宏達電子");
}

TEST_P(RecordSetTest, DeleteRemovesTheRowAndMovesToTheNext) {
  query.Open();
  query.Next();
  query.Delete();
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"S001", "S003"}));
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S003");
  query.Delete();  // the last row: the preceding one becomes current
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S001");
  EXPECT_EQ(db.Joined("cust_no", "customer"), "S001");

  query.Append();
  query.FieldByName("cust_no").SetAsString("S010");
  query.Delete();  // while inserting: cancels
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(query.RecordCount(), 1);
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "1");
}

TEST_P(RecordSetTest, LocateMatchesWholeValuesOnly) {
  query.Open();
  EXPECT_TRUE(query.Locate("cust_no", "S003"));
  EXPECT_EQ(query.FieldByName("cust_name").AsString(), "永豐塑膠");
  EXPECT_FALSE(query.Locate("cust_no", "S00"));
  EXPECT_FALSE(query.Locate("CUST_NO", "S999"));
  EXPECT_EQ(query.RecNo(), 2);
  EXPECT_TRUE(query.Locate("cust_name", "宏達電子"));
  EXPECT_EQ(query.RecNo(), 0);
}

TEST_P(RecordSetTest, FailedPostKeepsTheRowPending) {
  query.Open();
  query.Append();
  query.FieldByName("cust_no").SetAsString("S002");
  EXPECT_EQ(MessageOf([&] { query.Post(); }), db.DuplicateNumberMessage("S002"));
  EXPECT_EQ(query.State(), DataSetState::Insert);
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S002");
  query.FieldByName("cust_no").SetAsString("S005");
  query.Post();
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "4");

  // A move that posts reports the refusal and stays on the row.
  query.Append();
  query.FieldByName("cust_name").SetAsString("無編號");
  std::string refused = MessageOf([&] { query.First(); });
  EXPECT_TRUE(
      refused == "NOT NULL constraint failed: customer.cust_no" ||
      refused.starts_with("null value in column \"cust_no\" of relation \"customer\" violates not-null"))
      << refused;
  EXPECT_EQ(query.State(), DataSetState::Insert);
  EXPECT_EQ(query.RecNo(), 4);
}

TEST_P(RecordSetTest, ListenersHearEventsAndMayUnsubscribeDuringOne) {
  std::vector<RecordSetEvent> events;
  int second = 0;
  int first = query.Subscribe([&](RecordSetEvent event) {
    events.push_back(event);
    if (event == RecordSetEvent::Closed) query.Unsubscribe(second);
  });
  int secondCalls = 0;
  second = query.Subscribe([&](RecordSetEvent) { ++secondCalls; });
  query.Open();
  query.Next();
  query.Edit();
  query.FieldByName("cust_name").SetAsString("x");
  query.Post();
  query.Close();
  EXPECT_EQ(events, (std::vector<RecordSetEvent>{RecordSetEvent::Opened, RecordSetEvent::Scrolled,
                                                 RecordSetEvent::StateChanged, RecordSetEvent::FieldChanged,
                                                 RecordSetEvent::UpdateRecord, RecordSetEvent::StateChanged,
                                                 RecordSetEvent::Closed}));
  EXPECT_EQ(secondCalls, 6);  // unsubscribed before it heard Closed
  query.Unsubscribe(first);
  query.Open();
  EXPECT_EQ(events.size(), 7u);
}

TEST_P(RecordSetTest, BoundControlsWriteOnUpdateRecordAndTheirErrorsStopThePost) {
  query.Open();
  std::string typed = "2024/7/1";
  query.Subscribe([&](RecordSetEvent event) {
    if (event == RecordSetEvent::UpdateRecord) query.FieldByName("create_date").SetAsString(typed);
  });
  query.Edit();
  query.Post();
  EXPECT_EQ(db.Scalar("select create_date from customer where cust_no = 'S001'"), "2024-07-01");
  query.Edit();
  typed = "2024-02-30";
  EXPECT_EQ(MessageOf([&] { query.Post(); }), "'2024-02-30' is not a valid date");
  EXPECT_EQ(query.State(), DataSetState::Edit);
}

TEST_P(RecordSetTest, ClosingTheConnectionClosesItsSets) {
  query.Open();
  query.Edit();
  connection.Close();
  EXPECT_FALSE(query.Active());
  query.Open();  // reconnects
  EXPECT_EQ(query.RecordCount(), 3);
}

TEST_P(RecordSetTest, LongTextAndNullsSurviveAReadAndAPost) {
  std::string address(70000, 'x');
  address += "路";
  db.Execute("update customer set incaddr = '" + address + "', fax = '' where cust_no = 'S002'");
  query.Open();
  query.Next();
  EXPECT_EQ(query.FieldByName("incaddr").AsString(), address);
  EXPECT_FALSE(query.FieldByName("fax").IsNull());
  EXPECT_TRUE(query.FieldByName("tel1").IsNull());
  EXPECT_EQ(query.FieldByName("cust_name").AsString(), "建興五金");
  query.Edit();
  query.FieldByName("cust_name").SetAsString("建興");
  query.Post();  // the check compares the long text and the empty one exactly
  EXPECT_EQ(db.Scalar("select cust_name from customer where cust_no = 'S002'"), "建興");
  query.Edit();
  query.FieldByName("incaddr").SetAsString("短");
  query.Post();
  EXPECT_EQ(query.FieldByName("incaddr").AsString(), "短");
  EXPECT_EQ(query.CellText(0, 3), "台北市");
  EXPECT_EQ(query.CellText(2, 3), "台中市");
}

TEST_P(RecordSetTest, ASetThatOutlivesItsConnectionFailsCleanly) {
  auto own = std::make_unique<store::Connection>();
  db.Connect(*own);
  store::QueryRecordSet orphan(*own, "ADOQuery9");
  orphan.SQL().Add("select * from customer");
  orphan.Open();
  own.reset();
  EXPECT_FALSE(orphan.Active());
  EXPECT_THROW(orphan.Open(), StoreError);
}

TEST(ConnectionTest, MissingFileIsAClearErrorAndIsNotCreated) {
  TempDatabase db;
  store::Connection connection;
  connection.SetConnectionString(store::kReadWriteConnectionString);
  EXPECT_EQ(connection.DataSource(), "data.mdb");
  EXPECT_EQ(connection.Property("mode"), "ReadWrite");
  auto cwd = std::filesystem::current_path();
  std::filesystem::create_directory(db.Dir() + "/empty");
  std::filesystem::current_path(db.Dir() + "/empty");
  std::string message = MessageOf([&] { connection.Open(); });
  EXPECT_EQ(message, "Could not find file '" + db.Dir() + "/empty/data.mdb'.");
  EXPECT_FALSE(std::filesystem::exists("data.mdb"));
  EXPECT_FALSE(connection.Connected());

  std::filesystem::copy_file(db.Path(), "data.mdb");
  connection.SetConnectionString(store::kShareDenyNoneConnectionString);
  connection.Open();
  EXPECT_TRUE(connection.Connected());
  store::Connection second;
  second.SetConnectionString(store::kReadWriteConnectionString);
  second.Open();
  EXPECT_TRUE(second.Connected());
  std::filesystem::current_path(cwd);
}

// Neither an empty file nor one of another kind becomes a database by being
// opened: both are refused, in either mode, and keep every byte.
TEST(ConnectionTest, AnEmptyOrForeignFileIsRefusedAndLeftAsItWas) {
  TempDatabase db;
  const std::string text =
      "this is not a database file, only some text that is long enough to be read as a header...";
  const std::string empty = db.Dir() + "/empty.mdb", foreign = db.Dir() + "/text.mdb";
  std::ofstream(empty, std::ios::binary).flush();
  std::ofstream(foreign, std::ios::binary) << text;
  auto bytesOf = [](const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  };
  for (const char* mode : {";Mode=ReadWrite", ";Mode=Read", ""}) {
    store::Connection connection;
    connection.SetConnectionString("Data Source=" + empty + mode);
    EXPECT_EQ(MessageOf([&] { connection.Open(); }),
              "The file '" + empty + "' is empty: it is not a database.");
    connection.SetConnectionString("Data Source=" + foreign + mode);
    EXPECT_EQ(MessageOf([&] { connection.Open(); }), "The file '" + foreign + "' is not a database.");
    EXPECT_FALSE(connection.Connected());
  }
  EXPECT_EQ(bytesOf(empty), "");
  EXPECT_EQ(bytesOf(foreign), text);
  for (const char* suffix : {"-wal", "-shm", "-journal"}) {
    EXPECT_FALSE(std::filesystem::exists(empty + suffix)) << suffix;
    EXPECT_FALSE(std::filesystem::exists(foreign + suffix)) << suffix;
  }
}

INSTANTIATE_TEST_SUITE_P(Stores, RecordSetTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
