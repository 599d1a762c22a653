// A quotation's life on either store: states, issued copies, revisions,
// copies and history, written as the workspace writes them.
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include "store/Backend.h"
#include "store/Connection.h"
#include "store/DatabaseCopy.h"
#include "store/Schema.h"
#include "store/StoreError.h"
#include "store/Transaction.h"
#include "store/life/IssuedBytes.h"
#include "store/life/QuotationLife.h"
#include "store/life/QuotationSave.h"
#include "store/life/SnapshotComparison.h"
#include "store/life/StateCaption.h"
#include "store/pg/PgConnection.h"
#include "support/StoreDatabase.h"
#include "support/StoreMessage.h"
#include "support/TempDatabase.h"
#include "support/TestServer.h"

using namespace store::life;
using namespace std::chrono;
using enum QuotationState;

namespace {

const QuotationKey kQ1{"S001", "Q1"};

std::string Day(int fromToday) { return IsoDate(year_month_day(sys_days(LocalToday()) + days(fromToday))); }

// Bytes as a PDF holds them: binary, zero bytes included.
std::string PdfBytes(const std::string& text) {
  return "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n" + text + std::string(3, '\0') + "\n%%EOF\n";
}

class QuotationLifeTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    db.Execute(
        "insert into customer (cust_no, cust_name, email) values ('S001', '宏達電子', "
        "'buyer@example.com.tw');"
        "insert into Quomaster (Cust_no, quotation_number, pay_mode, money_type, tax_rate, quotation_date, "
        "availability_date, sales, ap_user) values ('S001', 'Q1', '現金', 'NTD', 0.05, '" +
        Day(-10) + "', '" + Day(20) +
        "', '陳美華', 'old');"
        "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, amount, price, totle) "
        "values ('S001', 'Q1', 1, '彩盒', 500, 9.1, 4550), ('S001', 'Q1', 2, '紙箱', 100, 3.25, 325)");
    db.Connect(connection);
    life = std::make_unique<QuotationLife>(connection);
  }

  // What the workspace does on Save: its writes (statements separated by
  // ";") and the life's record in one transaction.
  static LifeRecord Save(store::Connection& on, QuotationLife& by, const LifeRecord& asRead,
                         const std::string& sql) {
    store::Transaction transaction(on);
    QuotationSave save(by, asRead);
    for (std::size_t start = 0, end = 0; start < sql.size(); start = end + 1) {
      end = std::min(sql.find(';', start), sql.size());
      on.Store().Run(sql.substr(start, end - start), {});
    }
    LifeRecord saved = save.Finish(asRead.key);
    transaction.Commit();
    return saved;
  }

  LifeRecord IssueQ1(const std::string& pdf = PdfBytes("first")) {
    life->Issue(life->Record(kQ1), pdf);
    return life->Record(kQ1);
  }

  std::string Count(const std::string& table) const { return db.Scalar("select count(*) from " + table); }

  std::string Who() const {
    if (db.Kind() == StoreKind::Server) return db.Scalar("select current_user");
    return getpwuid(geteuid())->pw_name;
  }

  StoreDatabase db{GetParam()};
  store::Connection connection;
  std::unique_ptr<QuotationLife> life;
};

TEST_P(QuotationLifeTest, StatesMoveOnlyAsTheRulesAllowAndEveryMoveIsRecorded) {
  EXPECT_EQ(life->Record(kQ1).state, Draft);
  EXPECT_EQ(MessageOf([&] { life->ChangeState(life->Record(kQ1), Accepted, "", LocalToday()); }),
            RefusedChange(Draft, Accepted));
  LifeRecord record = IssueQ1();
  EXPECT_EQ(record.state, Issued);
  EXPECT_EQ(MessageOf([&] { life->Issue(record, "x"); }), kOnlyDraftIssues);
  EXPECT_EQ(MessageOf([&] { life->ChangeState(record, Declined, "  ", LocalToday()); }), kDeclineNeedsReason);

  struct Step {
    QuotationState to;
    const char* reason;
  } steps[] = {{Accepted, ""}, {Issued, ""}, {Declined, "價格太高"}, {Issued, ""}, {Cancelled, ""}};
  for (const Step& step : steps) {
    EXPECT_EQ(life->ChangeState(life->Record(kQ1), step.to, step.reason, LocalToday()),
              StateChangeResult::Done);
    EXPECT_EQ(life->Record(kQ1).state, step.to);
  }
  EXPECT_EQ(MessageOf([&] { life->ChangeState(life->Record(kQ1), Issued, "", LocalToday()); }),
            RefusedChange(Cancelled, Issued));
  std::string states, reasons;
  for (const HistoryEntry& entry : life->History(kQ1)) {
    if (entry.field == "state") states += entry.before.value_or("-") + ">" + entry.after.value_or("-") + " ";
    if (entry.field == "reason")
      reasons += entry.before.value_or("-") + ">" + entry.after.value_or("-") + " ";
    EXPECT_EQ(entry.by, Who());
  }
  EXPECT_EQ(states,
            "Draft>Issued Issued>Accepted Accepted>Issued Issued>Declined Declined>Issued Issued>Cancelled ");
  EXPECT_EQ(reasons, "->價格太高 價格太高>- ");
  // A refused change writes nothing; the Parts' tables never see a state.
  EXPECT_EQ(Count("QuoHistory"), "9");
  EXPECT_EQ(db.Scalar("select count(*) from Quomaster"), "1");
}

TEST_P(QuotationLifeTest, AcceptingAnExpiredQuotationAsksFirst) {
  db.Execute("update Quomaster set availability_date = '" + Day(-1) + "'");
  const LifeRecord record = IssueQ1();
  const std::string history = Count("QuoHistory");
  EXPECT_EQ(life->ChangeState(record, Accepted, "", LocalToday()), StateChangeResult::AskExpired);
  EXPECT_EQ(life->Record(kQ1).state, Issued);
  EXPECT_EQ(Count("QuoHistory"), history);
  EXPECT_EQ(life->ChangeState(record, Accepted, "", LocalToday(), true), StateChangeResult::Done);
  EXPECT_EQ(life->Record(kQ1).state, Accepted);
  // The valid-until day itself still counts: no question.
  db.Execute("update Quomaster set availability_date = '" + Day(0) + "'");
  life->ChangeState(life->Record(kQ1), Issued, "", LocalToday());
  EXPECT_EQ(life->ChangeState(life->Record(kQ1), Accepted, "", LocalToday()), StateChangeResult::Done);
}

TEST_P(QuotationLifeTest, AnIssuedCopyKeepsItsBytesAndValuesThroughLaterEdits) {
  const std::string pdf = PdfBytes("第一版");
  const LifeRecord record = IssueQ1(pdf);
  Save(connection, *life, record,
       "update Quomaster set pay_mode = '支票'; update QuoDilate set price = 9.5 where serial_number = 1");
  const std::vector<IssuedCopy> copies = life->IssuedCopies(kQ1);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].pdf, pdf);  // byte for byte
  EXPECT_EQ(copies[0].sha256, Sha256Hex(pdf));
  EXPECT_EQ(copies[0].number, "Q1");
  EXPECT_EQ(copies[0].issuedBy, Who());
  EXPECT_EQ(copies[0].issuedAt.size(), 20u);  // 2026-12-11T17:05:03Z
  EXPECT_EQ(copies[0].snapshot.HeaderValue("pay_mode"), "現金");
  EXPECT_EQ(LineSummary(copies[0].snapshot.lines[0]),
            "serial_number=1; name_number=彩盒; amount=500; price=9.1; totle=4550");
  EXPECT_TRUE(copies[0].superseded);
  // Nothing changes an issued copy or a history row, on either store.
  EXPECT_THROW(db.Execute("update QuoIssued set pdf_sha256 = 'x'"), std::exception);
  EXPECT_THROW(db.Execute("delete from QuoIssued"), std::exception);
  EXPECT_THROW(db.Execute("update QuoHistory set changed_by = 'someone'"), std::exception);
  EXPECT_THROW(db.Execute("delete from QuoHistory"), std::exception);
  EXPECT_EQ(life->IssuedCopies(kQ1)[0].pdf, pdf);
}

TEST_P(QuotationLifeTest, EditingAnIssuedQuotationMakesTheNextRevisionAndRevisionsCompare) {
  LifeRecord record = IssueQ1();
  record =
      Save(connection, *life, record,
           "update Quomaster set pay_mode = '支票'; delete from QuoDilate where serial_number = 2; "
           "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, amount, price) "
           "values ('S001', 'Q1', 3, '標籤', 1000, 0.2)");
  EXPECT_EQ(record.revision, 1);
  EXPECT_EQ(record.state, Draft);
  // A second edit of the draft revision stays in it.
  record = Save(connection, *life, record, "update QuoDilate set price = 9.0 where serial_number = 1");
  EXPECT_EQ(record.revision, 1);
  const IssuedCopy second = life->Issue(record, PdfBytes("second"));
  EXPECT_EQ(second.number, "Q1-R1");
  record = Save(connection, *life, life->Record(kQ1), "update Quomaster set sales = '林志強'");
  EXPECT_EQ(RevisionNumber(kQ1.number, record.revision), "Q1-R2");

  const std::vector<IssuedCopy> copies = life->IssuedCopies(kQ1);
  ASSERT_EQ(copies.size(), 2u);
  // The register shows the revision the customer has, not the draft being written.
  const std::vector<LifeSummary> summaries = life->Summaries();
  ASSERT_EQ(summaries.size(), 1u);
  EXPECT_EQ(summaries[0].sent, "Q1-R1");
  EXPECT_EQ(summaries[0].revision, 2);
  EXPECT_EQ(summaries[0].state, Draft);
  EXPECT_TRUE(copies[0].superseded);
  EXPECT_TRUE(copies[1].superseded);
  using Kind = Difference::Kind;
  const std::vector<Difference> changes = Compare(copies[0].snapshot, copies[1].snapshot);
  ASSERT_EQ(changes.size(), 4u);
  EXPECT_EQ(changes[0], (Difference{Kind::Header, "", "pay_mode", "現金", "支票"}));
  EXPECT_EQ(changes[1], (Difference{Kind::LineChanged, "1", "price", "9.1", "9"}));
  EXPECT_EQ(changes[2].kind, Kind::LineDeleted);
  EXPECT_EQ(changes[2].line, "2");
  EXPECT_EQ(changes[3].kind, Kind::LineAdded);
  EXPECT_EQ(changes[3].after, "serial_number=3; name_number=標籤; amount=1000; price=0.2");
}

TEST_P(QuotationLifeTest, AcceptedDeclinedAndCancelledQuotationsAreNotEdited) {
  const LifeRecord issued = IssueQ1();
  life->ChangeState(issued, Accepted, "", LocalToday());
  const std::string history = Count("QuoHistory");
  EXPECT_EQ(MessageOf([&] {
              Save(connection, *life, life->Record(kQ1), "update Quomaster set pay_mode = '支票'");
            }),
            RefusedEdit(Accepted));
  EXPECT_EQ(db.Scalar("select pay_mode from Quomaster"), "現金");
  EXPECT_EQ(Count("QuoHistory"), history);
  EXPECT_EQ(MessageOf([&] { life->Delete(life->Record(kQ1)); }), kIssuedNotDeleted);
}

TEST_P(QuotationLifeTest, ACopyIsADraftOfTodayWithTheSamePricesAndNoHistory) {
  IssueQ1();
  life->Copy(kQ1, {"S001", "Q2"}, LocalToday(), 30);
  const QuotationKey q2{"S001", "Q2"};
  EXPECT_EQ(db.Scalar("select quotation_date from Quomaster where quotation_number = 'Q2'"), Day(0));
  EXPECT_EQ(db.Scalar("select availability_date from Quomaster where quotation_number = 'Q2'"), Day(30));
  EXPECT_EQ(db.Scalar("select pay_mode || money_type || sales from Quomaster where quotation_number = 'Q2'"),
            "現金NTD陳美華");
  EXPECT_EQ(db.Scalar("select coalesce(ap_user, 'null') from Quomaster where quotation_number = 'Q2'"),
            "null");
  for (const char* column : {"serial_number", "name_number", "amount", "price", "totle"})
    EXPECT_EQ(db.Joined(column, "QuoDilate where quotation_number = 'Q2'", "serial_number"),
              db.Joined(column, "QuoDilate where quotation_number = 'Q1'", "serial_number"))
        << column;
  EXPECT_EQ(db.Joined("price", "QuoDilate where quotation_number = 'Q2'", "serial_number"), "9.1,3.25");
  EXPECT_EQ(life->Record(q2).state, Draft);
  EXPECT_EQ(life->Record(q2).revision, 0);
  EXPECT_TRUE(life->History(q2).empty());
  EXPECT_TRUE(life->IssuedCopies(q2).empty());
  EXPECT_EQ(life->Record(kQ1).state, Issued);  // the original is untouched
}

TEST_P(QuotationLifeTest, EveryKindOfChangeIsWrittenWithWhoWhenAndOldAndNew) {
  const QuotationKey q5{"S001", "Q5"};
  Save(connection, *life, life->Record(q5),
       "insert into Quomaster (Cust_no, quotation_number, pay_mode) values ('S001', 'Q5', '現金');"
       "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, price) values "
       "('S001', 'Q5', 1, '彩盒', 2), ('S001', 'Q5', 2, '紙箱', 3)");
  Save(connection, *life, life->Record(q5),
       "update Quomaster set pay_mode = '支票' where quotation_number = 'Q5';"
       "update QuoDilate set price = 2.5 where quotation_number = 'Q5' and serial_number = 1;"
       "delete from QuoDilate where quotation_number = 'Q5' and serial_number = 2");
  // Saving what is already stored records nothing.
  Save(connection, *life, life->Record(q5),
       "update Quomaster set pay_mode = '支票' where quotation_number = 'Q5'");
  life->Delete(life->Record(q5));
  std::vector<std::string> rows;
  for (const HistoryEntry& entry : life->History(q5)) {
    rows.push_back(entry.what + "|" + entry.line + "|" + entry.field + "|" + entry.before.value_or("-") +
                   "|" + entry.after.value_or("-"));
    EXPECT_EQ(entry.by, Who());
    EXPECT_EQ(entry.at.substr(0, 10), IsoDate(year_month_day(floor<days>(system_clock::now()))));
  }
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "created||quotation_number|-|Q5",
                      "line added|1||-|serial_number=1; name_number=彩盒; price=2",
                      "line added|2||-|serial_number=2; name_number=紙箱; price=3",
                      "header||pay_mode|現金|支票",
                      "line changed|1|price|2|2.5",
                      "line deleted|2||serial_number=2; name_number=紙箱; price=3|-",
                      "deleted||quotation_number|Q5|-",
                  }));
}

TEST_P(QuotationLifeTest, OfTwoUsersRevisingOneQuotationTheSecondIsRefusedAndWritesNothing) {
  store::Connection other;
  db.Connect(other);
  QuotationLife otherLife(other);
  const LifeRecord issued = IssueQ1();
  const LifeRecord readByOther = otherLife.Record(kQ1);
  Save(connection, *life, issued, "update Quomaster set pay_mode = '支票'");
  const std::string history = Count("QuoHistory");
  EXPECT_EQ(MessageOf([&] { Save(other, otherLife, readByOther, "update Quomaster set sales = '王大明'"); }),
            store::kRowChangedConflict);
  EXPECT_EQ(Count("QuoHistory"), history);
  EXPECT_EQ(db.Scalar("select sales from Quomaster"), "陳美華");
  EXPECT_EQ(life->Record(kQ1).revision, 1);
  // Read again, the second user's revision goes in on top of the first's.
  Save(other, otherLife, otherLife.Record(kQ1), "update Quomaster set sales = '王大明'");
  EXPECT_EQ(db.Scalar("select pay_mode || sales from Quomaster"), "支票王大明");
  EXPECT_EQ(otherLife.Record(kQ1).revision, 1);
  // A state change from a stale record is refused the same way.
  EXPECT_EQ(MessageOf([&] { otherLife.ChangeState(issued, Accepted, "", LocalToday()); }),
            store::kRowChangedConflict);
}

TEST_P(QuotationLifeTest, CheckCountsTheLifeTablesAndCopyCarriesThem) {
  const std::string pdf = PdfBytes("copied");
  IssueQ1(pdf);
  life->ChangeState(life->Record(kQ1), Declined, "交期太長", LocalToday());
  const std::string report = store::CheckDatabase(db.Target());
  EXPECT_NE(report.find("QuoLife: 1 rows\nQuoIssued: 1 rows\nQuoHistory: 4 rows\n"), std::string::npos)
      << report;

  TempDatabase folder;
  const std::string file = folder.Dir() + "/copy.mdb";
  EXPECT_NE(store::CopyDatabase(db.Target(), file).find("QuoHistory: 4 rows copied"), std::string::npos);
  store::Connection copied;
  copied.SetConnectionString("Data Source=" + file);
  copied.Open();
  QuotationLife there(copied);
  EXPECT_EQ(there.Record(kQ1).state, Declined);
  EXPECT_EQ(there.Record(kQ1).reason, "交期太長");
  EXPECT_EQ(there.IssuedCopies(kQ1).at(0).pdf, pdf);
  EXPECT_EQ(there.History(kQ1).size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Stores, QuotationLifeTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

TEST(QuotationLifeFileTest, AFileMadeBeforeTheLifeTablesGetsThemWhenTheLifeOpens) {
  TempDatabase db;
  for (const char* table : {"QuoHistory", "QuoIssued", "QuoLife"})
    db.Execute(std::string("drop table ") + table);
  EXPECT_NE(store::CheckDatabase(db.Path()).find("QuoLife: not made yet"), std::string::npos);
  store::Connection connection;
  db.Connect(connection);
  QuotationLife life(connection);
  EXPECT_EQ(db.Scalar("select count(*) from QuoHistory"), "0");
  EXPECT_EQ(life.Record(kQ1).state, Draft);
}

// The README's grant: the program's role may add history but not change it.
TEST_F(ServerFixture, ARoleThatMayOnlyInsertHistoryCannotUpdateIt) {
  if (IsSkipped()) return;
  const std::string role = "clerk_" + database->Name();
  store::pg::PgConnection(serverUri).Execute("create role " + role + " login");
  database->Execute(
      "grant select, insert on QuoHistory to " + role +
      "; insert into QuoHistory (life_id, changed_at, changed_by, what) values (1, 'now', 'x', 'created')");
  const std::size_t at = database->Uri().find("://") + 3;
  const std::string uri =
      database->Uri().substr(0, at) + role + database->Uri().substr(database->Uri().find('@', at));
  {
    store::pg::PgConnection clerk(uri);
    clerk.Execute(
        "insert into QuoHistory (life_id, changed_at, changed_by, what) values (1, 'now', 'y', 'header')");
    EXPECT_EQ(MessageOf([&] { clerk.Execute("update QuoHistory set changed_by = 'z'"); }),
              "permission denied for table quohistory");
  }
  database->Execute("drop owned by " + role);
  store::pg::PgConnection(serverUri).Execute("drop role " + role);
  EXPECT_EQ(database->Scalar("select string_agg(changed_by, ',' order by row_id) from QuoHistory"), "x,y");
}

}  // namespace
