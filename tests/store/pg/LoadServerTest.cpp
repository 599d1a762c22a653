// Eight programs at once, each making 500 edits of the same few customers and
// quotation lines on one server. Every save lands or is refused with the
// conflict message (anything else ends a client's run), and afterwards each
// row holds exactly the last of its accepted saves, each of which started from
// the one before it: no save overwrote another unseen.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "support/PeerProcess.h"
#include "support/TestServer.h"

namespace {

constexpr int kClients = 8;
constexpr int kEditsPerClient = 500;
constexpr int kRows = 10;

struct Save {
  std::string old, value;
};

class LoadServerTest : public ServerFixture {
 protected:
  void SetUp() override {
    ServerFixture::SetUp();
    if (IsSkipped()) return;
    std::string sql = "insert into Quomaster (Cust_no, quotation_number) values ('S001', 'Q1');";
    for (int row = 1; row <= kRows; ++row) {
      std::string n = std::to_string(row);
      sql += "insert into customer (cust_no, linkman) values ('S00" + n + "', 'init');";
      sql +=
          "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number) values ('S001', "
          "'Q1', " +
          n + ", 'init');";
    }
    database->Execute(sql);
  }

  // Each row's accepted saves, read from the clients' logs.
  std::map<std::string, std::vector<Save>> AcceptedSaves() {
    std::map<std::string, std::vector<Save>> saves;
    for (int client = 0; client < kClients; ++client) {
      std::ifstream log(Log(client));
      std::string accept, table, key;
      Save save;
      while (log >> accept >> table >> key >> save.old >> save.value)
        saves[table + " " + key].push_back(save);
    }
    return saves;
  }

  // The row's saves must form one chain from "init": each started from the value the one before left.
  static std::string ChainEnd(const std::string& row, const std::vector<Save>& saves) {
    std::map<std::string, std::string> next;
    for (const Save& save : saves)
      EXPECT_TRUE(next.emplace(save.old, save.value).second)
          << row << ": two saves both started from " << save.old;
    std::string value = "init";
    std::size_t steps = 0;
    for (auto found = next.find(value); found != next.end(); found = next.find(value), ++steps)
      value = found->second;
    EXPECT_EQ(steps, saves.size()) << row << ": accepted saves that no later value descends from";
    return value;
  }

  std::string Log(int client) const {
    return logs.filePath(QString("client%1.log").arg(client)).toStdString();
  }

  QTemporaryDir logs;
};

TEST_F(LoadServerTest, EverySaveLandsOrIsRefusedAndNoneIsLost) {
  std::vector<std::unique_ptr<PeerProcess>> clients;
  for (int client = 0; client < kClients; ++client)
    clients.push_back(std::make_unique<PeerProcess>(database->Uri()));
  for (int client = 0; client < kClients; ++client)
    clients[client]->SendOnly("load " + std::to_string(client) + " " + std::to_string(kEditsPerClient) + " " +
                              std::to_string(1000 + client) + " " + Log(client));
  int saves = 0, conflicts = 0;
  double slowest = 0;
  for (auto& client : clients) {
    std::istringstream reply(client->Reply(300000));
    std::string ok, word;
    int clientSaves = 0, clientConflicts = 0;
    double seconds = 0;
    reply >> ok >> word >> clientSaves >> word >> clientConflicts >> word >> seconds;
    ASSERT_EQ(ok, "ok") << reply.str();
    EXPECT_EQ(clientSaves + clientConflicts, kEditsPerClient);
    saves += clientSaves;
    conflicts += clientConflicts;
    slowest = std::max(slowest, seconds);
  }
  std::printf("load: %d clients x %d edits: %d saves, %d conflicts, %.0f saves/s over %.2f s\n", kClients,
              kEditsPerClient, saves, conflicts, saves / slowest, slowest);
  RecordProperty("saves", saves);
  RecordProperty("conflicts", conflicts);

  auto accepted = AcceptedSaves();
  std::size_t logged = 0;
  for (const auto& [row, rowSaves] : accepted) logged += rowSaves.size();
  EXPECT_EQ(logged, static_cast<std::size_t>(saves));
  for (int row = 1; row <= kRows; ++row) {
    const std::string n = std::to_string(row);
    const std::string customer = "customer S00" + n, line = "QuoDilate Q1/" + n;
    EXPECT_EQ(database->Scalar("select linkman from customer where cust_no = 'S00" + n + "'"),
              ChainEnd(customer, accepted[customer]));
    EXPECT_EQ(database->Scalar("select name_number from QuoDilate where serial_number = " + n),
              ChainEnd(line, accepted[line]));
  }
  EXPECT_EQ(database->Scalar("select count(*) from customer"), std::to_string(kRows));
}

}  // namespace
