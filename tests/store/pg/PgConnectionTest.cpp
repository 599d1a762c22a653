#include "store/pg/PgConnection.h"

#include <gtest/gtest.h>

#include "store/StoreError.h"
#include "support/StoreMessage.h"
#include "support/TestServer.h"

using store::StoreError;
using store::pg::PgConnection;
using store::pg::PgResult;

namespace {

class PgConnectionTest : public ServerFixture {
 protected:
  void SetUp() override {
    ServerFixture::SetUp();
    if (IsSkipped()) return;
    connection = std::make_unique<PgConnection>(database->Uri());
    connection->ExecuteScript(
        "create table t (id integer primary key, name text, price double precision, day date)");
  }

  // Ends the session from the server's side, as a restart of the server does.
  void DropSession(PgConnection& session) {
    int pid = session.ServerProcessId();
    ASSERT_NE(pid, 0);
    database->Scalar("select pg_terminate_backend(" + std::to_string(pid) + ")");
  }

  std::unique_ptr<PgConnection> connection;
};

TEST_F(PgConnectionTest, ValuesGoInAsParametersAndComeBackAsTheServerWritesThem) {
  connection->Execute("insert into t values ($1, $2, $3, $4), (2, $5, $6, null), (3, '', $7, $4)",
                      {"1", "宏達電子's \"quote\"", "0.05", "2024-02-29", std::nullopt, "12", "1e-05"});
  PgResult result =
      connection->Execute("select id, name, price, day from t where id >= $1 order by id", {"1"});
  ASSERT_EQ(result.Rows(), 3);
  EXPECT_EQ(result.Columns(), 4);
  EXPECT_STREQ(result.ColumnName(1), "name");
  EXPECT_EQ(result.ColumnKind(0), store::FieldKind::Integer);
  EXPECT_EQ(result.ColumnKind(1), store::FieldKind::Text);
  EXPECT_EQ(result.ColumnKind(2), store::FieldKind::Float);
  EXPECT_EQ(result.ColumnKind(3), store::FieldKind::Date);
  EXPECT_EQ(result.Text(0, 1), "宏達電子's \"quote\"");
  // Numbers in their shortest exact text and dates in ISO order: compared back as they were read.
  EXPECT_EQ(result.Text(0, 2), "0.05");
  EXPECT_EQ(result.Text(1, 2), "12");
  EXPECT_EQ(result.Text(2, 2), "1e-05");
  EXPECT_EQ(result.Text(0, 3), "2024-02-29");
  EXPECT_TRUE(result.IsNull(1, 1));
  EXPECT_FALSE(result.IsNull(2, 1));  // empty text is not null
  EXPECT_EQ(result.Text(2, 1), "");
  EXPECT_EQ(connection->Execute("update t set name = 'x' where id > 1").AffectedRows(), 2);
  EXPECT_EQ(
      connection->Execute("select 1 from t where price = $1 and day = $2", {"0.05", "2024-02-29"}).Rows(), 1);
}

TEST_F(PgConnectionTest, FailuresCarryTheServersText) {
  connection->Execute("insert into t (id) values (1)");
  EXPECT_EQ(MessageOf([&] { connection->Execute("insert into t (id) values (1)"); }),
            "duplicate key value violates unique constraint \"t_pkey\"\nKey (id)=(1) already exists.");
  EXPECT_EQ(MessageOf([&] { connection->Execute("select * from t where name like '%'O'%'"); }),
            "syntax error at or near \"O\"");
  EXPECT_EQ(MessageOf([&] { connection->Execute("insert into t (id, day) values (2, $1)", {"2024-13-01"}); }),
            "date/time field value out of range: \"2024-13-01\"");
  EXPECT_EQ(MessageOf([&] { connection->Execute("select * from nowhere"); }),
            "relation \"nowhere\" does not exist");
  // The session goes on after a failure.
  EXPECT_EQ(connection->Execute("select count(*) from t").Text(0, 0), "1");
}

TEST_F(PgConnectionTest, TransactionsCommitTogetherOrNotAtAll) {
  connection->Begin();
  connection->Execute("insert into t (id) values (1)");
  EXPECT_EQ(database->Scalar("select count(*) from t"), "0");  // not seen by another session yet
  connection->Commit();
  EXPECT_EQ(database->Scalar("select count(*) from t"), "1");

  connection->Begin();
  EXPECT_THROW(connection->Begin(), StoreError);
  connection->Execute("insert into t (id) values (2)");
  connection->Rollback();
  EXPECT_EQ(database->Scalar("select count(*) from t"), "1");

  // A statement that failed inside a transaction makes the commit fail, not succeed.
  connection->Begin();
  connection->Execute("insert into t (id) values (3)");
  EXPECT_THROW(connection->Execute("insert into t (id) values (1)"), StoreError);
  EXPECT_EQ(MessageOf([&] { connection->Commit(); }),
            "The transaction was rolled back: one of its statements failed");
  EXPECT_FALSE(connection->InTransaction());
  EXPECT_EQ(database->Scalar("select count(*) from t"), "1");
}

TEST_F(PgConnectionTest, ANoServerIsReportedAsUnreachable) {
  // A port that nothing listens on: the server's own after it stopped.
  std::string uri = "postgresql://samplequote@127.0.0.1:1/postgres?connect_timeout=2";
  std::string message = MessageOf([&] { PgConnection unreachable(uri); });
  EXPECT_EQ(message.rfind(store::pg::kServerUnreachable, 0), 0u) << message;
  EXPECT_NE(message.find("127.0.0.1"), std::string::npos) << message;
  message = MessageOf([&] { PgConnection nameless(WithDatabase(database->Uri(), "no_such_database")); });
  EXPECT_NE(message.find("database \"no_such_database\" does not exist"), std::string::npos) << message;
}

TEST_F(PgConnectionTest, ALostSessionFailsOnceAndTheNextStatementConnectsAgain) {
  DropSession(*connection);
  std::string message = MessageOf([&] { connection->Execute("select 1"); });
  EXPECT_EQ(message.rfind(store::pg::kServerLost, 0), 0u) << message;
  EXPECT_EQ(connection->Execute("select 2").Text(0, 0), "2");
  // The new session has the same settings as the first.
  connection->Execute("insert into t (id, price, day) values (1, 0.1, '2024-03-01')");
  EXPECT_EQ(connection->Execute("select price, day from t").Text(0, 1), "2024-03-01");
}

TEST_F(PgConnectionTest, ALostTransactionKeepsFailingUntilRolledBack) {
  connection->Begin();
  connection->Execute("insert into t (id) values (1)");
  DropSession(*connection);
  EXPECT_EQ(MessageOf([&] { connection->Execute("insert into t (id) values (2)"); }),
            store::pg::kTransactionLost);
  // No statement may run on a new session as if it still belonged to the transaction.
  EXPECT_EQ(MessageOf([&] { connection->Execute("insert into t (id) values (3)"); }),
            store::pg::kTransactionLost);
  EXPECT_EQ(MessageOf([&] { connection->Commit(); }), store::pg::kTransactionLost);
  connection->Rollback();
  EXPECT_EQ(connection->Execute("select count(*) from t").Text(0, 0), "0");
}

}  // namespace
