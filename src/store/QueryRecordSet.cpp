#include "store/QueryRecordSet.h"

namespace store {

void SqlLines::Clear() {
  owner_.Close();
  lines_.clear();
}

void SqlLines::Add(std::string line) {
  owner_.Close();
  lines_.push_back(std::move(line));
}

std::string SqlLines::Text() const {
  std::string text;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i) text += '\n';
    text += lines_[i];
  }
  return text;
}

QueryRecordSet::QueryRecordSet(Connection& connection, std::string name)
    : RecordSet(connection, std::move(name)), sql_(*this) {}

std::string QueryRecordSet::CommandSql() const { return sql_.Text(); }

}  // namespace store
