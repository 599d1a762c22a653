#pragma once

#include <string>
#include <vector>

#include "store/RecordSet.h"

namespace store {

class QueryRecordSet;

// The query set's statement as a list of lines; every change closes the set.
class SqlLines {
 public:
  explicit SqlLines(QueryRecordSet& owner) : owner_(owner) {}
  void Clear();
  void Add(std::string line);
  int Count() const { return static_cast<int>(lines_.size()); }
  std::string Text() const;  // the lines joined by line breaks

 private:
  QueryRecordSet& owner_;
  std::vector<std::string> lines_;
};

class QueryRecordSet : public RecordSet {
 public:
  QueryRecordSet(Connection& connection, std::string name);
  SqlLines& SQL() { return sql_; }

 protected:
  std::string CommandSql() const override;

 private:
  SqlLines sql_;
};

}  // namespace store
