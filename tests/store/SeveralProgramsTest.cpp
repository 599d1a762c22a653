// Several programs on one database, each a process of its own (the store
// peer), with record sets open on the same rows: no save one of them was told
// succeeded is ever lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "store/CommandRecordSet.h"
#include "store/Connection.h"

#include "support/OwnServer.h"
#include "support/PeerProcess.h"
#include "support/StoreDatabase.h"
#include "support/TestServer.h"

namespace {

constexpr const char* kConflict =
    "error Row cannot be located for updating. Some values may have been changed since it was last read.";

class SeveralProgramsTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    db.Execute(
        "insert into customer (cust_no, cust_name) values ('S001', '宏達電子'), ('S002', '建興五金');"
        "insert into Quomaster (Cust_no, quotation_number, pay_mode) values ('S001', 'Q1', '現金');"
        "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number) values "
        "('S001', 'Q1', 1, '彩盒'), ('S001', 'Q1', 2, '紙箱')");
    first = std::make_unique<PeerProcess>(db.Target());
    second = std::make_unique<PeerProcess>(db.Target());
  }

  // Both open the same statement and stand on the same row.
  void BothOn(const std::string& sql, const std::string& field, const std::string& value) {
    for (PeerProcess* peer : {first.get(), second.get()}) {
      ASSERT_EQ(peer->Send("open s " + sql), "ok ");
      ASSERT_EQ(peer->Send("locate s " + field + " " + value), "ok found");
    }
  }

  // Edits one field of the current row and posts it.
  static std::string Save(PeerProcess& peer, const std::string& field, const std::string& value) {
    peer.Send("edit s");
    peer.Send("set s " + field + " " + value);
    return peer.Send("post s");
  }

  StoreDatabase db{GetParam()};
  std::unique_ptr<PeerProcess> first, second;
};

TEST_P(SeveralProgramsTest, OfTwoSavesOfOneRowTheSecondIsRefusedAndKeepsItsTyping) {
  BothOn("select * from customer", "cust_no", "S001");
  EXPECT_EQ(Save(*first, "cust_name", "宏達"), "ok ");
  EXPECT_EQ(Save(*second, "cust_name", "宏碁"), kConflict);
  EXPECT_EQ(second->Send("state s"), "ok Edit");
  EXPECT_EQ(second->Send("get s cust_name"), "ok 宏碁");
  EXPECT_EQ(db.Scalar("select cust_name from customer where cust_no = 'S001'"), "宏達");

  BothOn("select * from Quomaster", "quotation_number", "Q1");
  EXPECT_EQ(Save(*second, "pay_mode", "支票"), "ok ");
  EXPECT_EQ(Save(*first, "pay_mode", "國內T/T"), kConflict);
  EXPECT_EQ(first->Send("get s pay_mode"), "ok 國內T/T");
  EXPECT_EQ(db.Scalar("select pay_mode from Quomaster"), "支票");
  // Read again, the refused user sees the other's value and can save over it knowingly.
  ASSERT_EQ(first->Send("cancel s"), "ok ");
  BothOn("select * from Quomaster", "quotation_number", "Q1");
  EXPECT_EQ(Save(*first, "pay_mode", "國內T/T"), "ok ");
  EXPECT_EQ(db.Scalar("select pay_mode from Quomaster"), "國內T/T");
}

TEST_P(SeveralProgramsTest, ARowDeletedByOneIsRefusedToTheOtherEditingIt) {
  BothOn("select * from customer", "cust_no", "S002");
  EXPECT_EQ(first->Send("delete s"), "ok ");
  EXPECT_EQ(Save(*second, "cust_name", "建興"), kConflict);
  EXPECT_EQ(second->Send("state s"), "ok Edit");
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "1");
}

TEST_P(SeveralProgramsTest, BothGetTheSameNewNumberAndTheSecondSaveIsRefusedByTheKey) {
  for (PeerProcess* peer : {first.get(), second.get()}) {
    ASSERT_EQ(peer->Send("open s select * from customer"), "ok ");
    ASSERT_EQ(peer->Send("last s"), "ok ");
    EXPECT_EQ(peer->Send("get s cust_no"), "ok S002");  // both would allocate S003
    peer->Send("append s");
    peer->Send("set s cust_no S003");
  }
  EXPECT_EQ(first->Send("post s"), "ok ");
  std::string refused = second->Send("post s");
  EXPECT_EQ(refused.rfind("error ", 0), 0u) << refused;
  // The store's own text names the key.
  EXPECT_TRUE(refused.find("customer_pkey") != std::string::npos ||
              refused.find("UNIQUE constraint failed: customer.cust_no") != std::string::npos)
      << refused;
  EXPECT_EQ(second->Send("state s"), "ok Insert");
  EXPECT_EQ(second->Send("get s cust_no"), "ok S003");
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "3");
}

TEST_P(SeveralProgramsTest, AHeaderDeletedWithItsLinesGoesForOthersAllAtOnce) {
  ASSERT_EQ(first->Send("begin"), "ok ");
  first->Send("open lines select * from QuoDilate");
  first->Send("delete lines");
  first->Send("delete lines");
  first->Send("open header select * from Quomaster");
  ASSERT_EQ(first->Send("delete header"), "ok ");
  // Until the commit the other user sees the header with both lines.
  EXPECT_EQ(second->Send("open h select * from Quomaster"), "ok ");
  EXPECT_EQ(second->Send("count h"), "ok 1");
  EXPECT_EQ(second->Send("open l select * from QuoDilate"), "ok ");
  EXPECT_EQ(second->Send("count l"), "ok 2");
  ASSERT_EQ(first->Send("commit"), "ok ");
  second->Send("close h");
  second->Send("open h select * from Quomaster");
  EXPECT_EQ(second->Send("count h"), "ok 0");
  second->Send("close l");
  second->Send("open l select * from QuoDilate");
  EXPECT_EQ(second->Send("count l"), "ok 0");
}

// Saves stay saved while other programs (the sqlite3 shell, a backup tool,
// another copy of this program) open and close the same database, while this
// program has several windows, each with its own connection, open.
class OtherProgramsTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override { SQ_SKIP_WITHOUT_STORE(db); }

  // The journal another program must not take away while this one may still write to it.
  void ExpectJournalKept() const {
    if (db.Kind() == StoreKind::File) {
      EXPECT_TRUE(std::filesystem::exists(db.Target() + "-wal"));
    }
  }

  // What a user's New and Save do: the next number, a row with it, posted.
  static std::string SaveNew(PeerProcess& program) {
    std::string number = program.Send("number");
    EXPECT_EQ(number.rfind("ok S", 0), 0u) << number;
    number = number.substr(3);
    EXPECT_EQ(program.Send("open s select * from customer"), "ok ");
    program.Send("append s");
    program.Send("set s cust_no " + number);
    EXPECT_EQ(program.Send("post s"), "ok ");
    return number;
  }

  // Another program that opens the database, reads the customers and closes it again.
  std::string CountedByAnother() const {
    PeerProcess other(db.Target());
    other.Send("open s select * from customer");
    return other.Send("count s");
  }

  StoreDatabase db{GetParam()};
};

TEST_P(OtherProgramsTest, WhileTwoWindowsAreOpenAnotherProgramSeesEverySave) {
  store::Connection customerWindow, quotationWindow;
  db.Connect(customerWindow);
  db.Connect(quotationWindow);
  store::CommandRecordSet customers(customerWindow, "ADOQuery1"), again(quotationWindow, "ADOQuery1");
  for (auto [set, number] : {std::pair{&customers, "S001"}, std::pair{&again, "S002"}}) {
    set->SetCommandText("select * from customer");
    set->Open();
    set->Append();
    set->FieldByName("cust_no").SetAsString(number);
    set->Post();
    EXPECT_EQ(CountedByAnother(), set == &customers ? "ok 1" : "ok 2") << number;
    ExpectJournalKept();
  }
}

TEST_P(OtherProgramsTest, CopiesPressingNewGetTheirOwnNumbersAndAKilledCopyKeepsItsSaves) {
  auto first = std::make_unique<PeerProcess>(db.Target());
  ASSERT_EQ(first->Send("window"), "ok ");  // its customer and its quotation window
  EXPECT_EQ(SaveNew(*first), "S001");
  {
    PeerProcess second(db.Target());
    EXPECT_EQ(SaveNew(second), "S002");
  }
  ExpectJournalKept();
  EXPECT_EQ(SaveNew(*first), "S003");
  PeerProcess third(db.Target());
  EXPECT_EQ(SaveNew(third), "S004");
  first->Kill();
  EXPECT_EQ(db.Joined("cust_no", "customer"), "S001,S002,S003,S004");
}

INSTANTIATE_TEST_SUITE_P(Stores, OtherProgramsTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

// The server stopped and started again (an administrator's restart) while a
// program holds a save it has not posted yet.
class ServerRestartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (server.Uri().empty()) GTEST_SKIP() << "PostgreSQL test skipped: " << server.Reason();
    database = std::make_unique<ServerDatabase>(server.Uri());
    database->Execute("insert into customer (cust_no, cust_name) values ('S001', '宏達'), ('S002', '建興')");
    program = std::make_unique<PeerProcess>(database->Uri());
    ASSERT_EQ(program->Send("open s select * from customer"), "ok ");
  }

  std::string Save(const std::string& number, const std::string& name) {
    program->Send("locate s cust_no " + number);
    program->Send("edit s");
    program->Send("set s cust_name " + name);
    return program->Send("post s");
  }

  OwnServer server;
  std::unique_ptr<ServerDatabase> database;
  std::unique_ptr<PeerProcess> program;
};

TEST_F(ServerRestartTest, APendingSaveWaitsOutTheRestartAndNoConfirmedSaveIsLost) {
  ASSERT_EQ(Save("S001", "宏達電子"), "ok ");  // confirmed before the stop
  server.Stop();
  const std::string refused = Save("S002", "建興五金");
  EXPECT_EQ(refused.rfind("error ", 0), 0u) << refused;
  EXPECT_EQ(program->Send("state s"), "ok Edit");
  EXPECT_EQ(program->Send("get s cust_name"), "ok 建興五金");
  server.Start();
  EXPECT_EQ(program->Send("post s"), "ok ");
  EXPECT_EQ(database->Scalar("select string_agg(cust_name, ',' order by cust_no) from customer"),
            "宏達電子,建興五金");
  // The program reads and writes on as before.
  EXPECT_EQ(Save("S001", "宏達"), "ok ");
  EXPECT_EQ(database->Scalar("select cust_name from customer where cust_no = 'S001'"), "宏達");
}

INSTANTIATE_TEST_SUITE_P(Stores, SeveralProgramsTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
