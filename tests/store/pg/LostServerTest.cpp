// A server session lost in the middle of work (a restart): the operation that
// meets the loss reports it, nothing pending is lost, and the next one
// connects again.
#include <gtest/gtest.h>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "store/pg/PgConnection.h"
#include "support/StoreMessage.h"
#include "support/TestServer.h"

namespace {

class LostServerTest : public ServerFixture {
 protected:
  void SetUp() override {
    ServerFixture::SetUp();
    if (IsSkipped()) return;
    database->Execute("insert into customer (cust_no, cust_name) values ('S001', '宏達'), ('S002', '建興')");
    connection.SetConnectionString("Data Source=" + database->Uri());
    query.SQL().Add("select * from customer");
    query.Open();
  }

  // Ends every session of the program on its database, as a restart of the server does.
  void DropSessions() {
    database->Scalar(
        "select count(pg_terminate_backend(pid)) from pg_stat_activity "
        "where application_name = 'samplequote' and datname = current_database() and pid <> "
        "pg_backend_pid()");
  }

  store::Connection connection;
  store::QueryRecordSet query{connection, "ADOQuery1"};
};

TEST_F(LostServerTest, APostThatMeetsTheLossKeepsTheRowPendingAndTheNextPostLands) {
  query.Edit();
  query.FieldByName("cust_name").SetAsString("宏達電子");
  DropSessions();
  std::string message = MessageOf([&] { query.Post(); });
  EXPECT_EQ(message.rfind(store::pg::kServerLost, 0), 0u) << message;
  EXPECT_EQ(query.State(), store::DataSetState::Edit);
  EXPECT_EQ(query.FieldByName("cust_name").AsString(), "宏達電子");
  query.Post();
  EXPECT_EQ(database->Scalar("select cust_name from customer where cust_no = 'S001'"), "宏達電子");
  // Reading again works on the new session too.
  query.Close();
  DropSessions();
  EXPECT_EQ(MessageOf([&] { query.Open(); }).rfind(store::pg::kServerLost, 0), 0u);
  query.Open();
  EXPECT_EQ(query.RecordCount(), 2);
}

TEST_F(LostServerTest, AnUnreachableServerIsAClearErrorAtOpen) {
  store::Connection nowhere;
  nowhere.SetConnectionString("Data Source=postgresql://samplequote@127.0.0.1:1/quotes?connect_timeout=2");
  std::string message = MessageOf([&] { nowhere.Open(); });
  EXPECT_EQ(message.rfind(store::pg::kServerUnreachable, 0), 0u) << message;
  EXPECT_FALSE(nowhere.Connected());
}

}  // namespace
