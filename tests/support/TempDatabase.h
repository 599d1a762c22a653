#pragma once

#include <string>

#include "store/Connection.h"

// A fresh database file with the three tables in a directory of its own,
// removed with the object.
class TempDatabase {
 public:
  TempDatabase();
  ~TempDatabase();
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  const std::string& Path() const { return path_; }
  const std::string& Dir() const { return dir_; }
  std::string ConnectionString() const;
  void Connect(store::Connection& connection) const;
  // Runs SQL on a connection of its own, as another program would.
  void Execute(const std::string& sql) const;
  // The single value a query returns, "" for null.
  std::string Scalar(const std::string& sql) const;

 private:
  std::string dir_;
  std::string path_;
};
