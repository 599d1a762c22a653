#pragma once

#include <fstream>
#include <string>

#include "store/CommandRecordSet.h"

namespace store {
class Connection;
}

// One load-test client: edits of customers and quotation lines picked at
// random from a few shared rows, each written into a value of its own
// ("c<client>-<edit>"). Every save either lands, logged as
// "accept TABLE KEY OLD NEW", or is refused with the update conflict message,
// after which the set is read again. Any other failure ends the run.
class LoadRun {
 public:
  struct Settings {
    int client = 0;
    int edits = 0;
    unsigned seed = 0;
    std::string logPath;
  };

  LoadRun(store::Connection& connection, Settings settings);
  // "saves N conflicts N seconds S"; throws StoreError on any other failure.
  std::string Run();

 private:
  unsigned Next();
  void Edit(store::CommandRecordSet& set, const std::string& field, int edit);
  std::string KeyOf(store::CommandRecordSet& set) const;

  Settings settings_;
  store::CommandRecordSet customers_;
  store::CommandRecordSet lines_;
  std::ofstream log_;
  unsigned state_;
  int saves_ = 0;
  int conflicts_ = 0;
};
