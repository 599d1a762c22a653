#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "store/Backend.h"
#include "store/Connection.h"
#include "store/DateFormat.h"
#include "store/QueryRecordSet.h"
#include "store/sqlite/Statement.h"
#include "support/StoreDatabase.h"
#include "support/StoreMessage.h"
#include "support/TempDatabase.h"

using store::DataSetState;

namespace {

constexpr const char* kConflict =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

// Two windows, each with its own connection, on one file.
class TwoConnectionsTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    db.Execute(
        "insert into customer (cust_no, cust_name) values ('S001', '宏達'), ('S002', '建興');"
        "insert into QuoDilate (Cust_no, quotation_number, serial_number, price, totle) values "
        "('S001', 'Q1', 1, 0.1, 0.30000000000000004)");
    db.Connect(first);
    db.Connect(second);
    a.SQL().Add("select * from customer");
    b.SQL().Add("select * from customer");
    a.Open();
    b.Open();
  }

  StoreDatabase db{GetParam()};
  store::Connection first, second;
  store::QueryRecordSet a{first, "ADOQuery1"};
  store::QueryRecordSet b{second, "ADOQuery1"};
};

TEST_P(TwoConnectionsTest, AnUpdateOverAChangedRowFailsAndOverwritesNothing) {
  b.Edit();
  b.FieldByName("cust_name").SetAsString("乙改");
  b.Post();
  a.Edit();
  a.FieldByName("cust_name").SetAsString("甲改");
  EXPECT_EQ(MessageOf([&] { a.Post(); }), kConflict);
  EXPECT_EQ(a.State(), DataSetState::Edit);
  EXPECT_EQ(db.Scalar("select cust_name from customer where cust_no = 'S001'"), "乙改");
  // After a re-open the row is current again and the change goes through.
  a.Cancel();
  a.Close();
  a.Open();
  a.Edit();
  a.FieldByName("cust_name").SetAsString("甲改");
  a.Post();
  EXPECT_EQ(db.Scalar("select cust_name from customer where cust_no = 'S001'"), "甲改");
}

TEST_P(TwoConnectionsTest, AChangeOfAColumnNotEditedStillCountsAsAConflict) {
  db.Execute("update customer set tel1 = '02-1234' where cust_no = 'S001'");
  a.Edit();
  a.FieldByName("cust_name").SetAsString("甲改");
  EXPECT_EQ(MessageOf([&] { a.Post(); }), kConflict);
  EXPECT_EQ(db.Scalar("select cust_name from customer where cust_no = 'S001'"), "宏達");
}

TEST_P(TwoConnectionsTest, DeletingARowChangedOrDeletedElsewhereFails) {
  b.Delete();
  EXPECT_EQ(MessageOf([&] { a.Delete(); }),
            "Row cannot be located for deleting. Some values may have been changed since it was last read.");
  EXPECT_EQ(a.RecordCount(), 2);
  a.Edit();
  a.FieldByName("cust_name").SetAsString("x");
  EXPECT_EQ(MessageOf([&] { a.Post(); }), kConflict);
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "1");
}

TEST_P(TwoConnectionsTest, ADuplicateNumberFromTwoWindowsIsRefusedByTheKey) {
  a.Append();
  a.FieldByName("cust_no").SetAsString("S003");
  b.Append();
  b.FieldByName("cust_no").SetAsString("S003");
  a.Post();
  EXPECT_EQ(MessageOf([&] { b.Post(); }), db.DuplicateNumberMessage("S003"));
  EXPECT_EQ(b.State(), DataSetState::Insert);
  EXPECT_EQ(b.FieldByName("cust_no").AsString(), "S003");
  EXPECT_EQ(db.Scalar("select count(*) from customer where cust_no = 'S003'"), "1");
}

TEST_P(TwoConnectionsTest, RealValuesCompareExactlyWhenPosting) {
  store::QueryRecordSet lines(first, "ADODataSetDilate");
  lines.SQL().Add("select * from QuoDilate");
  lines.Open();
  EXPECT_EQ(lines.FieldByName("price").AsString(), "0.1");
  EXPECT_EQ(lines.FieldByName("totle").AsString(), "0.30000000000000004");
  lines.Edit();
  lines.FieldByName("amount").SetAsString("12.0");
  EXPECT_EQ(lines.FieldByName("amount").AsString(), "12");
  lines.Post();
  // A file holds any kind in any column: the number must go in as a number. A server's columns have their
  // types.
  if (GetParam() == StoreKind::File) {
    EXPECT_EQ(db.Scalar("select typeof(amount) || ' ' || amount from QuoDilate"), "real 12.0");
  } else {
    EXPECT_EQ(db.Scalar("select amount from QuoDilate"), "12");
  }
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate where totle = 0.30000000000000004"), "1");
}

TEST_P(TwoConnectionsTest, WritersWaitForEachOtherInsteadOfFailing) {
  a.Edit();
  a.FieldByName("cust_name").SetAsString("甲");
  // The other writer holds the row (and, in a file, the whole file) for a while.
  second.Store().Begin();
  second.Store().Run("update customer set cust_name = cust_name where cust_no = 'S001'", {});
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    second.Store().Commit();
  });
  EXPECT_NO_THROW(a.Post());
  release.join();
  EXPECT_EQ(db.Scalar("select cust_name from customer where cust_no = 'S001'"), "甲");
}

TEST_P(TwoConnectionsTest, ANewRowShowsWhatTheStoreMadeOfItAndPostsAgain) {
  // A table of the server's needs its row identity too.
  db.Execute(
      std::string("create table extra (k text primary key, note text default 'n/a', n real") +
      (GetParam() == StoreKind::Server ? ", row_id bigint generated always as identity unique)" : ")"));
  store::QueryRecordSet extra(first, "ADOQuery2");
  extra.SQL().Add("select * from extra");
  extra.Open();
  extra.Append();
  extra.FieldByName("k").SetAsString("a");
  extra.Post();
  EXPECT_EQ(extra.FieldByName("note").AsString(), "n/a");
  extra.Edit();
  extra.FieldByName("n").SetAsString("2.50");
  extra.Post();
  extra.Edit();
  extra.FieldByName("note").SetAsString("ok");
  extra.Post();
  EXPECT_EQ(db.Scalar("select note || ' ' || n from extra"), "ok 2.5");
}

class ConversionTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    db.Execute("insert into QuoDilate (Cust_no, quotation_number) values ('S001', 'Q1')");
    db.Connect(connection);
    lines.SQL().Add("select * from QuoDilate");
    lines.Open();
    lines.Edit();
  }
  std::string Write(const char* field, const char* text) {
    return MessageOf([&] { lines.FieldByName(field).SetAsString(text); });
  }

  StoreDatabase db{GetParam()};
  store::Connection connection;
  store::QueryRecordSet lines{connection, "ADODataSetDilate"};
};

TEST_P(ConversionTest, FieldKindsComeFromTheDeclaredTypes) {
  EXPECT_EQ(lines.FieldByName("Cust_no").Kind(), store::FieldKind::Text);
  EXPECT_EQ(lines.FieldByName("serial_number").Kind(), store::FieldKind::Integer);
  EXPECT_EQ(lines.FieldByName("price").Kind(), store::FieldKind::Float);
  EXPECT_EQ(lines.FieldByName("ap_date").Kind(), store::FieldKind::Date);
}

TEST_P(ConversionTest, TextThatDoesNotConvertIsRefusedAndNothingIsWritten) {
  lines.FieldByName("price").SetAsString("2.5");
  EXPECT_EQ(Write("price", "2,5"), "'2,5' is not a valid floating point value");
  EXPECT_EQ(Write("price", "1e999"), "'1e999' is not a valid floating point value");
  EXPECT_EQ(Write("price", "12abc"), "'12abc' is not a valid floating point value");
  EXPECT_EQ(lines.FieldByName("price").AsString(), "2.5");
  EXPECT_EQ(Write("serial_number", "1.5"), "'1.5' is not a valid integer value");
  EXPECT_EQ(Write("serial_number", "x"), "'x' is not a valid integer value");
  EXPECT_EQ(Write("ap_date", "2023-02-29"), "'2023-02-29' is not a valid date");
  EXPECT_EQ(Write("ap_date", "明天"), "'明天' is not a valid date");
  EXPECT_TRUE(lines.FieldByName("ap_date").IsNull());
}

TEST_P(ConversionTest, ConvertedValuesAreStoredInTheirKinds) {
  EXPECT_EQ(Write("serial_number", " 7 "), "(no error)");
  EXPECT_EQ(Write("price", "+3.25"), "(no error)");
  EXPECT_EQ(Write("ap_date", "2024/2/29"), "(no error)");
  EXPECT_EQ(lines.FieldByName("ap_date").AsString(), "2024-02-29");
  EXPECT_EQ(Write("Cust_no", ""), "(no error)");
  EXPECT_TRUE(lines.FieldByName("Cust_no").IsNull());
  lines.Post();
  if (GetParam() == StoreKind::File) {  // a server's columns have their types
    EXPECT_EQ(db.Scalar("select typeof(serial_number) || typeof(price) || typeof(ap_date) || typeof(Cust_no) "
                        "from QuoDilate"),
              "integerrealtextnull");
  }
  EXPECT_EQ(db.Scalar("select serial_number || '|' || price || '|' || ap_date from QuoDilate"),
            "7|3.25|2024-02-29");
}

// A user's short format: day/month/year.
class DayMonthYear : public store::DateFormat {
 public:
  std::string ToDisplay(std::string_view iso) const override {
    if (iso.size() != 10) return std::string(iso);
    return std::string(iso.substr(8, 2)) + "/" + std::string(iso.substr(5, 2)) + "/" +
           std::string(iso.substr(0, 4));
  }
  std::optional<std::string> ToIso(std::string_view text) const override {
    if (text.size() != 10) return std::nullopt;
    return std::string(text.substr(6, 4)) + "-" + std::string(text.substr(3, 2)) + "-" +
           std::string(text.substr(0, 2));
  }
};

TEST_P(ConversionTest, DatesShowAndAreTypedInTheInstalledFormat) {
  store::DateFormat::Install(std::make_shared<DayMonthYear>());
  lines.FieldByName("ap_date").SetAsString("31/12/2024");
  EXPECT_EQ(lines.FieldByName("ap_date").AsString(), "31/12/2024");
  lines.Post();
  store::DateFormat::Install(nullptr);
  EXPECT_EQ(db.Scalar("select ap_date from QuoDilate"), "2024-12-31");
  EXPECT_EQ(lines.FieldByName("ap_date").AsString(), "2024-12-31");
}

class ParameterTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    db.Execute(
        "insert into customer (cust_no, incaddr) values ('S001', '台北市'), ('S002', 'O''Hare 路'), "
        "('S003', '100% 路'), ('S004', 'A_B 路'), ('S005', 'AXB 路')");
    db.Connect(connection);
    query.SQL().Add("select * from customer where incaddr like '%' || :text || '%' order by cust_no");
  }
  std::string Search(const std::string& text) {
    query.Close();
    query.Params().Set("text", text);
    query.Open();
    std::string found;
    for (query.First(); !query.Eof(); query.Next()) found += query.FieldByName("cust_no").AsString() + " ";
    return found;
  }

  StoreDatabase db{GetParam()};
  store::Connection connection;
  store::QueryRecordSet query{connection, "ADOQuery1"};
};

TEST_P(ParameterTest, UserTextIsBoundAsAValue) {
  EXPECT_EQ(Search("O'Hare"), "S002 ");
  EXPECT_EQ(Search("'; drop table customer; --"), "");
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "5");
}

TEST_P(ParameterTest, PercentAndUnderscoreKeepTheirPatternMeaning) {
  EXPECT_EQ(Search("%"), "S001 S002 S003 S004 S005 ");
  EXPECT_EQ(Search("A_B"), "S004 S005 ");
  EXPECT_EQ(Search("0%"), "S003 ");
}

TEST_P(ParameterTest, AMissingOrEmptyValueBindsNull) {
  query.Open();
  EXPECT_EQ(query.RecordCount(), 0);
  query.Close();
  query.Params().Set("TEXT", std::nullopt);
  query.Open();
  EXPECT_EQ(query.RecordCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Stores, TwoConnectionsTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });
INSTANTIATE_TEST_SUITE_P(Stores, ConversionTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });
INSTANTIATE_TEST_SUITE_P(Stores, ParameterTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
