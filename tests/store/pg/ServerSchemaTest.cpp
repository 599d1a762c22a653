#include "store/pg/ServerSchema.h"

#include <gtest/gtest.h>

#include "store/StoreError.h"
#include "store/pg/PgConnection.h"
#include "support/StoreMessage.h"
#include "support/TestServer.h"

using store::FieldKind;
using store::pg::PgConnection;
using store::pg::PgResult;
using store::pg::ServerColumns;
using store::pg::ServerSelect;

namespace {

class ServerSchemaTest : public ServerFixture {
 protected:
  void SetUp() override {
    ServerFixture::SetUp();
    if (IsSkipped()) return;
    connection = std::make_unique<PgConnection>(database->Uri());
  }

  std::vector<std::string> Names(const PgResult& result) {
    std::vector<std::string> names;
    for (int c = 0; c < result.Columns(); ++c) names.push_back(result.ColumnName(c));
    return names;
  }

  PgResult Select(std::string_view table, std::string_view rest = "",
                  const store::pg::PgValues& values = {}) {
    return connection->Execute(ServerSelect(ServerColumns(*connection, table), table, rest), values);
  }

  std::unique_ptr<PgConnection> connection;
};

TEST_F(ServerSchemaTest, ReadingAllColumnsYieldsTheTablesColumnsInOrderUnderTheirNames) {
  PgResult customer = Select("customer");
  EXPECT_EQ(Names(customer),
            (std::vector<std::string>{"row_id", "cust_no", "cust_name", "all_name", "incaddr", "linkman",
                                      "tel1", "tel2", "fax", "PostalCode", "email", "sales", "ap_user",
                                      "ed_user", "create_date", "last_date"}));
  PgResult header = Select("QUOMASTER");
  EXPECT_EQ(Names(header), (std::vector<std::string>{
                               "row_id", "Cust_no", "quotation_number", "pay_mode", "pay_condition",
                               "consign_mode", "money_type", "tax_type", "tax_rate", "quotation_date",
                               "availability_date", "sales", "ap_user", "ed_user", "ap_date", "ed_data"}));
  PgResult lines = Select("QuoDilate");
  ASSERT_EQ(lines.Columns(), 15);
  EXPECT_STREQ(lines.ColumnName(1), "Cust_no");
  EXPECT_STREQ(lines.ColumnName(14), "ap_date");

  auto kinds = ServerColumns(*connection, "quodilate");
  EXPECT_EQ(kinds[2].kind, FieldKind::Integer);  // serial_number
  EXPECT_EQ(kinds[5].kind, FieldKind::Float);    // width
  EXPECT_EQ(kinds[13].kind, FieldKind::Date);    // ap_date
  EXPECT_EQ(kinds[3].kind, FieldKind::Text);     // name_number
}

TEST_F(ServerSchemaTest, RowsComeInTheOrderTheyWereAddedUnlessTheStatementOrdersThem) {
  connection->ExecuteScript(
      "insert into customer (cust_no, cust_name) values ('S002', 'b'), ('S001', 'a'), ('S003', 'c');"
      // An update writes a new row version elsewhere in the table: the order must not follow it.
      "update customer set cust_name = 'bb' where cust_no = 'S002'");
  auto numbers = [](const PgResult& result) {
    std::string text;
    for (int row = 0; row < result.Rows(); ++row) text += std::string(result.Text(row, 1)) + " ";
    return text;
  };
  EXPECT_EQ(numbers(Select("customer")), "S002 S001 S003 ");
  EXPECT_EQ(numbers(Select("customer", " order by cust_no")), "S001 S002 S003 ");
  EXPECT_EQ(numbers(Select("customer", " where cust_name like '%' || $1 || '%'", {""})), "S002 S001 S003 ");
  EXPECT_EQ(numbers(Select("customer", " where cust_name like 'order by%'")), "");
}

TEST_F(ServerSchemaTest, KeysAreThoseOfTheFileStoreAndTheRowIdentityCannotBeWritten) {
  connection->ExecuteScript(
      "insert into customer (cust_no) values ('S001');"
      "insert into Quomaster (Cust_no, quotation_number) values ('S001', 'Q1');"
      "insert into QuoDilate (Cust_no, quotation_number) values ('S001', 'Q1'), ('S001', 'Q1')");
  EXPECT_EQ(MessageOf([&] { connection->Execute("insert into customer (cust_no) values ('S001')"); }),
            "duplicate key value violates unique constraint \"customer_pkey\"\n"
            "Key (cust_no)=(S001) already exists.");
  EXPECT_NE(MessageOf([&] {
              connection->Execute("insert into customer (cust_name) values ('x')");
            }).find("null value in column \"cust_no\""),
            std::string::npos);
  EXPECT_NE(MessageOf([&] {
              connection->Execute("insert into Quomaster (Cust_no, quotation_number) values ('S001', 'Q1')");
            }).find("duplicate key value"),
            std::string::npos);
  EXPECT_NE(MessageOf([&] {
              connection->Execute("insert into customer (cust_no, row_id) values ('S009', 5)");
            }).find("cannot insert a non-DEFAULT value into column \"row_id\""),
            std::string::npos);
  EXPECT_EQ(connection->Execute("select count(distinct row_id) from QuoDilate").Text(0, 0), "2");
}

TEST_F(ServerSchemaTest, TablesAreMadeOnceAndAMissingTableIsTheServersError) {
  EXPECT_EQ(MessageOf([&] { store::pg::CreateServerTables(*connection); }),
            "relation \"customer\" already exists");
  EXPECT_EQ(MessageOf([&] { ServerColumns(*connection, "nowhere"); }), "relation \"nowhere\" does not exist");
  // A failed creation leaves nothing behind.
  ServerDatabase empty(serverUri, ServerDatabase::Tables::None);
  PgConnection other(empty.Uri());
  other.ExecuteScript("create table QuoDilate (x integer)");
  EXPECT_THROW(store::pg::CreateServerTables(other), store::StoreError);
  EXPECT_EQ(other.Execute("select count(*) from pg_tables where schemaname = 'public'").Text(0, 0), "1");
}

}  // namespace
