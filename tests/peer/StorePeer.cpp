// Another user of the store, in a process of its own, for the tests that need
// two programs on one database. It reads one command a line from its standard
// input and answers each with one line: "ok" and a value, or "error" and the
// store's message.
//
//   connect TARGET            a file path or a postgresql:// URI
//   window                    one more connection, as another window of the program opens
//   number                    the customer number New would give
//   open SET SQL...           a record set named SET over the statement
//   locate SET FIELD VALUE    last SET | edit SET | append SET | post SET | cancel SET | delete SET
//   set SET FIELD [VALUE]     get SET FIELD | state SET | count SET | close SET
//   begin | commit | rollback one transaction over the connection
//   load CLIENT EDITS SEED LOG  the load test's edits (LoadRun.h), then its figures
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "LoadRun.h"
#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/CustomerNumber.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

namespace {

class Peer {
 public:
  std::string Run(const std::string& command, std::istringstream& words);

 private:
  store::CommandRecordSet& Set(const std::string& name);
  std::string SetCommand(const std::string& command, store::CommandRecordSet& set, std::istringstream& words);

  std::string target_;
  store::Connection connection_;
  std::vector<std::unique_ptr<store::Connection>> windows_;
  std::map<std::string, std::unique_ptr<store::CommandRecordSet>> sets_;
  std::unique_ptr<store::Transaction> transaction_;
};

std::string RestOf(std::istringstream& words) {
  std::string rest;
  std::getline(words >> std::ws, rest);
  return rest;
}

const char* StateName(store::DataSetState state) {
  switch (state) {
    case store::DataSetState::Inactive:
      return "Inactive";
    case store::DataSetState::Browse:
      return "Browse";
    case store::DataSetState::Edit:
      return "Edit";
    case store::DataSetState::Insert:
      return "Insert";
  }
  return "";
}

store::CommandRecordSet& Peer::Set(const std::string& name) {
  auto& set = sets_[name];
  if (!set) set = std::make_unique<store::CommandRecordSet>(connection_, name);
  return *set;
}

std::string Peer::Run(const std::string& command, std::istringstream& words) {
  if (command == "connect") {
    target_ = RestOf(words);
    connection_.SetConnectionString("Data Source=" + target_);
    connection_.Open();
    return "";
  }
  if (command == "window") {
    auto& window = windows_.emplace_back(std::make_unique<store::Connection>());
    window->SetConnectionString("Data Source=" + target_);
    window->Open();
    return "";
  }
  if (command == "number") return store::NextCustNoInTable(connection_);
  if (command == "begin") {
    transaction_ = std::make_unique<store::Transaction>(connection_);
    return "";
  }
  if (command == "commit" || command == "rollback") {
    // The transaction ends either way; without a commit it rolls back.
    auto transaction = std::move(transaction_);
    if (transaction && command == "commit") transaction->Commit();
    return "";
  }
  if (command == "load") {
    LoadRun::Settings settings;
    words >> settings.client >> settings.edits >> settings.seed >> settings.logPath;
    return LoadRun(connection_, settings).Run();
  }
  std::string name;
  words >> name;
  return SetCommand(command, Set(name), words);
}

std::string Peer::SetCommand(const std::string& command, store::CommandRecordSet& set,
                             std::istringstream& words) {
  std::string field;
  if (command == "open") {
    set.Close();
    set.SetCommandText(RestOf(words));
    set.Open();
  } else if (command == "locate") {
    words >> field;
    return set.Locate(field, RestOf(words)) ? "found" : "missing";
  } else if (command == "set") {
    words >> field;
    set.FieldByName(field).SetAsString(RestOf(words));
  } else if (command == "get") {
    words >> field;
    return set.FieldByName(field).AsString();
  } else if (command == "edit") {
    set.Edit();
  } else if (command == "last") {
    set.Last();
  } else if (command == "append") {
    set.Append();
  } else if (command == "post") {
    set.Post();
  } else if (command == "cancel") {
    set.Cancel();
  } else if (command == "delete") {
    set.Delete();
  } else if (command == "close") {
    set.Close();
  } else if (command == "state") {
    return StateName(set.State());
  } else if (command == "count") {
    return std::to_string(set.RecordCount());
  } else {
    throw store::StoreError("unknown command: " + command);
  }
  return "";
}

}  // namespace

int main() {
  Peer peer;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command.empty()) continue;
    if (command == "quit") break;
    std::string reply;
    try {
      reply = "ok " + peer.Run(command, words);
    } catch (const store::StoreError& error) {
      reply = std::string("error ") + error.what();
    }
    // One reply, one line: a message's own line breaks would split it.
    for (char& c : reply)
      if (c == '\n') c = '|';
    std::cout << reply << std::endl;
  }
  return 0;
}
