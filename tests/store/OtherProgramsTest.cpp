// Saves stay saved while other programs (the sqlite3 shell, a backup tool,
// another copy of this program) open and close the same database: each of
// them a process of its own, while this program has several windows, each
// with its own connection, open.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "support/PeerProcess.h"
#include "support/StoreDatabase.h"

namespace {

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

}  // namespace
