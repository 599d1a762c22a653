#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "support/StoreDatabase.h"
#include "support/StoreMessage.h"
#include "support/TempDatabase.h"

using store::DataSetState;
using store::RecordSetEvent;

namespace {

// Headers and lines as the quotation window links them.
class MasterLinkTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    db.Execute(
        "insert into Quomaster (Cust_no, quotation_number, pay_mode) values "
        "('S001', 'Q1', '現金'), ('S001', 'Q2', '支票'), ('S002', 'Q1', '現金');"
        "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number) values "
        "('S001', 'Q1', 1, '彩盒'), ('S002', 'Q1', 1, '紙箱'), ('S001', 'Q1', 2, '說明書'),"
        "('S001', 'Q2', 1, '貼紙'), (null, null, 1, '無主')");
    db.Connect(connection);
    master.SetCommandText("select * from Quomaster order by Cust_no, quotation_number");
    master.Open();
    lines.SetMaster(&master);
    lines.SetMasterFields("Cust_no;Quotation_number");
    lines.SetCommandText("select * from QuoDilate");
    lines.Open();
  }

  std::vector<std::string> Names() {
    std::vector<std::string> names;
    int column = lines.FieldByName("name_number").Index();
    for (int row = 0; row < lines.RecordCount(); ++row) names.push_back(lines.CellText(row, column));
    return names;
  }
  using Names_ = std::vector<std::string>;

  StoreDatabase db{GetParam()};
  store::Connection connection;
  store::CommandRecordSet master{connection, "ADODataSetMaster"};
  store::CommandRecordSet lines{connection, "ADODataSetDilate"};
};

TEST_P(MasterLinkTest, ShowsTheLinesOfTheCurrentHeaderAndFollowsMoves) {
  EXPECT_EQ(Names(), (Names_{"彩盒", "說明書"}));
  EXPECT_EQ(lines.RecNo(), 0);
  master.Next();
  EXPECT_EQ(Names(), (Names_{"貼紙"}));
  master.Next();
  EXPECT_EQ(Names(), (Names_{"紙箱"}));
  master.MoveTo(0);
  EXPECT_EQ(Names(), (Names_{"彩盒", "說明書"}));
  EXPECT_TRUE(master.Locate("quotation_number", "Q2"));
  EXPECT_EQ(Names(), (Names_{"貼紙"}));
}

TEST_P(MasterLinkTest, ANewRestrictionGoesToTheFirstLineAnUnchangedOneKeepsTheLine) {
  lines.Next();
  EXPECT_EQ(lines.RecNo(), 1);
  master.Edit();
  master.FieldByName("pay_mode").SetAsString("支票");  // not a link field
  EXPECT_EQ(lines.RecNo(), 1);
  master.Cancel();
  EXPECT_EQ(lines.RecNo(), 1);
  master.Next();
  master.Prior();
  EXPECT_EQ(lines.RecNo(), 0);
}

TEST_P(MasterLinkTest, AChangedLinkFieldOfTheHeaderRebuildsTheRestriction) {
  master.Edit();
  master.FieldByName("quotation_number").SetAsString("Q2");
  EXPECT_EQ(Names(), (Names_{"貼紙"}));
  master.FieldByName("Cust_no").SetAsString("S002");
  EXPECT_TRUE(Names().empty());
  master.Cancel();
  EXPECT_EQ(Names(), (Names_{"彩盒", "說明書"}));
}

TEST_P(MasterLinkTest, APendingLineIsFinishedBeforeTheHeaderMoves) {
  lines.Edit();
  lines.FieldByName("standard").SetAsString("350g白卡");
  master.Next();
  EXPECT_EQ(lines.State(), DataSetState::Browse);
  EXPECT_EQ(db.Scalar("select standard from QuoDilate where name_number = '彩盒'"), "350g白卡");

  lines.Append();  // untouched: dropped when the header moves
  master.Next();
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate"), "5");
  EXPECT_EQ(Names(), (Names_{"紙箱"}));
}

TEST_P(MasterLinkTest, NewLinesTakeTheHeadersLinkValuesAndJoinItsIndex) {
  master.Next();  // S001 / Q2
  lines.Append();
  EXPECT_EQ(lines.FieldByName("Cust_no").AsString(), "S001");
  EXPECT_EQ(lines.FieldByName("quotation_number").AsString(), "Q2");
  EXPECT_FALSE(lines.Modified());
  lines.FieldByName("name_number").SetAsString("手提袋");
  lines.Post();
  EXPECT_EQ(db.Scalar("select Cust_no || quotation_number from QuoDilate where name_number = '手提袋'"),
            "S001Q2");
  master.First();
  master.Next();
  EXPECT_EQ(Names(), (Names_{"貼紙", "手提袋"}));

  // A line moved to another header by its link fields leaves this one.
  lines.Edit();
  lines.FieldByName("quotation_number").SetAsString("Q1");
  lines.Post();
  master.First();
  EXPECT_EQ(Names(), (Names_{"彩盒", "說明書", "貼紙"}));
  lines.Delete();
  EXPECT_EQ(Names(), (Names_{"說明書", "貼紙"}));
  master.Next();
  master.Prior();
  EXPECT_EQ(Names(), (Names_{"說明書", "貼紙"}));
}

// A new header shows only the lines entered under it, never the old lines
// with blank numbers; they stay its own while its numbers are typed, and take
// those numbers when it is written.
TEST_P(MasterLinkTest, LinesEnteredUnderANewHeaderBelongToItAndTakeItsNumbers) {
  master.Append();
  EXPECT_TRUE(Names().empty());
  lines.Append();
  EXPECT_TRUE(lines.FieldByName("Cust_no").IsNull());
  lines.FieldByName("name_number").SetAsString("新品");
  lines.Post();
  lines.Append();
  lines.FieldByName("name_number").SetAsString("新品二");
  master.FieldByName("Cust_no").SetAsString("S003");
  EXPECT_EQ(Names(), (Names_{"新品", "新品二"}));
  EXPECT_EQ(lines.EnteredRowCount(), 1);  // the line still being typed is not written yet
  master.FieldByName("quotation_number").SetAsString("Q9");
  master.Post();
  EXPECT_EQ(db.Joined("name_number", "QuoDilate where Cust_no = 'S003' and quotation_number = 'Q9'"),
            "新品,新品二");
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate where Cust_no is null"), "1");  // 無主 untouched
  EXPECT_EQ(Names(), (Names_{"新品", "新品二"}));
  master.First();
  master.Last();
  EXPECT_EQ(Names(), (Names_{"新品", "新品二"}));
}

// A new header the key refuses leaves its lines unchanged and still its own;
// an untouched header with lines is not dropped as empty.
TEST_P(MasterLinkTest, ARefusedNewHeaderKeepsItsLinesAsTheyWere) {
  master.Append();
  lines.Append();
  lines.FieldByName("name_number").SetAsString("新品");
  EXPECT_THROW(master.Next(), store::StoreError);  // no numbers: refused, not dropped
  EXPECT_EQ(master.State(), DataSetState::Insert);
  master.FieldByName("Cust_no").SetAsString("S001");
  master.FieldByName("quotation_number").SetAsString("Q1");  // taken
  EXPECT_THROW(master.Post(), store::StoreError);
  EXPECT_EQ(master.State(), DataSetState::Insert);
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate where name_number = '新品' and Cust_no is null"), "1");
  EXPECT_EQ(db.Scalar("select count(*) from Quomaster"), "3");
  EXPECT_EQ(Names(), (Names_{"新品"}));
  master.FieldByName("quotation_number").SetAsString("Q7");
  master.Post();
  EXPECT_EQ(db.Scalar("select Cust_no || quotation_number from QuoDilate where name_number = '新品'"),
            "S001Q7");
}

// A header set that closes over a header never stored takes the lines
// entered under it out of the store, the one still being typed too.
TEST_P(MasterLinkTest, ClosingOverANewHeaderDiscardsItsLines) {
  master.Append();
  lines.Append();
  lines.FieldByName("name_number").SetAsString("新品");
  lines.Post();
  lines.Append();
  lines.FieldByName("name_number").SetAsString("打字中");
  master.Close();
  EXPECT_EQ(lines.State(), DataSetState::Browse);
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate"), "5");
  EXPECT_EQ(lines.RecordCount(), 5);
}

// A stored header whose numbers change takes its lines along, the ones this
// set never read too, in the same write; when the key refuses the numbers,
// nothing changes.
TEST_P(MasterLinkTest, LinesFollowAStoredHeaderWhoseNumbersChange) {
  db.Execute("insert into QuoDilate (Cust_no, quotation_number, name_number) values ('S001', 'Q1', '別處')");
  master.Edit();
  master.FieldByName("quotation_number").SetAsString("Q2");  // taken by another header
  EXPECT_THROW(master.Post(), store::StoreError);
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate where Cust_no = 'S001' and quotation_number = 'Q1'"),
            "3");
  master.FieldByName("quotation_number").SetAsString("Q5");
  master.Post();
  EXPECT_EQ(db.Joined("name_number", "QuoDilate where quotation_number = 'Q5'"), "彩盒,說明書,別處");
  EXPECT_EQ(Names(), (Names_{"彩盒", "說明書"}));
  master.Next();
  master.First();
  EXPECT_EQ(master.FieldByName("quotation_number").AsString(), "Q5");
  EXPECT_EQ(Names(), (Names_{"彩盒", "說明書"}));
  lines.Edit();  // the cached line holds what the store holds: it posts
  lines.FieldByName("standard").SetAsString("加厚");
  lines.Post();
}

// Link values that hold the separator an index might use never meet.
TEST_P(MasterLinkTest, DifferentValuePairsNeverShareLines) {
  master.Close();
  const std::string unit = GetParam() == StoreKind::File ? "char(31)" : "chr(31)";
  db.Execute("insert into Quomaster (Cust_no, quotation_number) values ('A' || " + unit +
             " || 'B', 'C'), ('A', 'B' || " + unit +
             " || 'C');insert into QuoDilate (Cust_no, quotation_number, name_number) values ('A' || " +
             unit + " || 'B', 'C', '甲'), ('A', 'B' || " + unit + " || 'C', '乙')");
  master.SetCommandText("select * from Quomaster where Cust_no like 'A%' order by length(Cust_no) desc");
  master.Open();
  lines.Close();
  lines.Open();
  EXPECT_EQ(Names(), (Names_{"甲"}));
  master.Next();
  EXPECT_EQ(Names(), (Names_{"乙"}));
}

TEST_P(MasterLinkTest, ClosingTheHeaderLiftsTheRestrictionAndOpeningAppliesItAgain) {
  lines.Edit();
  lines.FieldByName("standard").SetAsString("五層");
  master.Close();
  EXPECT_EQ(lines.State(), DataSetState::Browse);
  EXPECT_EQ(db.Scalar("select standard from QuoDilate where name_number = '彩盒'"), "五層");
  EXPECT_EQ(lines.RecordCount(), 5);

  master.SetCommandText("select * from Quomaster where Cust_no = 'S002'");
  master.Open();
  EXPECT_EQ(Names(), (Names_{"紙箱"}));
  master.Close();
  master.SetCommandText("select * from Quomaster where Cust_no = 'none'");
  master.Open();  // no header: no lines
  EXPECT_EQ(lines.RecordCount(), 0);
  lines.Close();
  lines.Open();
  EXPECT_EQ(lines.RecordCount(), 0);
}

TEST_P(MasterLinkTest, UnlinkingShowsEveryLineAndAFailedPostStopsTheMove) {
  lines.SetMaster(nullptr);
  EXPECT_EQ(lines.RecordCount(), 5);
  lines.SetMaster(&master);
  EXPECT_EQ(Names(), (Names_{"彩盒", "說明書"}));
  EXPECT_THROW(master.SetMaster(&lines), store::StoreError);

  lines.Edit();
  lines.FieldByName("serial_number").SetAsString("3");
  db.Execute("update QuoDilate set serial_number = 9 where name_number = '彩盒'");
  EXPECT_THROW(master.Next(), store::StoreError);
  EXPECT_EQ(lines.State(), DataSetState::Edit);  // the line stays pending, the header stays
  EXPECT_EQ(master.RecNo(), 0);
  EXPECT_EQ(Names(), (Names_{"彩盒", "說明書"}));
  EXPECT_THROW(master.Last(), store::StoreError);
  EXPECT_EQ(master.RecNo(), 0);
}

// Whatever a refused line does, the lines shown are those of the header that
// is current, and every line once the header set has closed.
TEST_P(MasterLinkTest, ARefusedLineNeverLeavesTheRestrictionBehind) {
  lines.Edit();
  lines.FieldByName("serial_number").SetAsString("3");
  db.Execute("update QuoDilate set serial_number = 9 where name_number = '彩盒'");
  master.Edit();
  EXPECT_THROW(master.FieldByName("quotation_number").SetAsString("Q2"), store::StoreError);
  EXPECT_EQ(Names(), (Names_{"貼紙"}));
  master.Cancel();
  EXPECT_EQ(Names(), (Names_{"彩盒", "說明書"}));

  lines.Edit();
  lines.FieldByName("serial_number").SetAsString("4");
  db.Execute("update QuoDilate set serial_number = 8 where name_number = '彩盒'");
  EXPECT_THROW(master.Close(), store::StoreError);
  EXPECT_FALSE(master.Active());
  EXPECT_EQ(lines.RecordCount(), 5);
  EXPECT_EQ(lines.State(), DataSetState::Browse);
}

// After a mix of appends, moves between headers and deletes, every header
// still shows exactly the lines the file holds for it.
TEST_P(MasterLinkTest, TheIndexStaysTrueToTheFileThroughChanges) {
  unsigned seed = 7;
  auto next = [&seed](unsigned range) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % range;
  };
  for (int step = 0; step < 120; ++step) {
    master.MoveTo(static_cast<int>(next(3)));
    unsigned action = next(4);
    if (action <= 1 || lines.IsEmpty()) {
      lines.Append();
      lines.FieldByName("name_number").SetAsString(std::string("L").append(std::to_string(step)));
    } else if (action == 2) {
      lines.MoveTo(static_cast<int>(next(static_cast<unsigned>(lines.RecordCount()))));
      lines.Edit();
      lines.FieldByName("quotation_number").SetAsString(next(2) ? "Q1" : "Q2");
    } else {
      lines.Delete();
    }
  }
  lines.CheckBrowseMode();
  // A line moved away stays in view until the header changes: start elsewhere.
  master.Last();
  for (int header = 0; header < master.RecordCount(); ++header) {
    master.MoveTo(header);
    std::vector<std::string> shown = Names();
    std::sort(shown.begin(), shown.end());
    std::string expected =
        db.Joined("name_number",
                  "QuoDilate where Cust_no = '" + master.FieldByName("Cust_no").AsString() +
                      "' and quotation_number = '" + master.FieldByName("quotation_number").AsString() + "'",
                  "name_number");
    std::string actual;
    for (const auto& name : shown) actual += (actual.empty() ? "" : ",") + name;
    EXPECT_EQ(actual, expected) << "header " << header;
  }
}

TEST_P(MasterLinkTest, DestroyingTheMasterFirstLeavesTheDetailUsable) {
  auto header = std::make_unique<store::CommandRecordSet>(connection, "Header");
  header->SetCommandText("select * from Quomaster");
  header->Open();
  store::CommandRecordSet detail(connection, "Detail");
  detail.SetMaster(header.get());
  detail.SetMasterFields("Cust_no;quotation_number");
  detail.SetCommandText("select * from QuoDilate");
  detail.Open();
  header.reset();
  EXPECT_EQ(detail.Master(), nullptr);
  detail.Close();
  detail.Open();
  EXPECT_EQ(detail.RecordCount(), 5);
}

// Another program deletes or renumbers the header shown here: a line added
// under it afterwards is refused and stays as typed; under a header still
// there it is stored and the header can still be saved.
TEST_P(MasterLinkTest, ALineIsStoredOnlyWhileItsHeaderIsThere) {
  constexpr const char* kHeaderGone =
      "這筆明細所屬的報價單已不存在（可能已被其他使用者刪除或更改），明細未保存，請重新查詢。";
  db.Execute(
      "delete from QuoDilate where Cust_no = 'S001' and quotation_number = 'Q1';"
      "delete from Quomaster where Cust_no = 'S001' and quotation_number = 'Q1';"
      "update Quomaster set quotation_number = 'Q9' where Cust_no = 'S001' and quotation_number = 'Q2'");
  for (int header : {0, 1}) {
    master.MoveTo(header);
    lines.Append();
    lines.FieldByName("name_number").SetAsString("新品");
    EXPECT_EQ(MessageOf([&] { lines.Post(); }), kHeaderGone) << header;
    EXPECT_EQ(lines.State(), DataSetState::Insert);
    EXPECT_EQ(lines.FieldByName("name_number").AsString(), "新品");
    lines.Cancel();
  }
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate where name_number = '新品'"), "0");

  master.MoveTo(2);  // S002 Q1, untouched
  lines.Append();
  lines.FieldByName("name_number").SetAsString("新品");
  lines.Post();
  EXPECT_EQ(db.Joined("name_number", "QuoDilate where Cust_no = 'S002'"), "紙箱,新品");
  master.Edit();
  master.FieldByName("pay_mode").SetAsString("支票");
  master.Post();
  EXPECT_EQ(db.Scalar("select pay_mode from Quomaster where Cust_no = 'S002'"), "支票");
}

TEST_P(MasterLinkTest, UnknownLinkFieldFailsTheOpen) {
  lines.Close();
  lines.SetMasterFields("Cust_no;quote");
  EXPECT_THROW(lines.Open(), store::StoreError);
  EXPECT_FALSE(lines.Active());
}

INSTANTIATE_TEST_SUITE_P(Stores, MasterLinkTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
