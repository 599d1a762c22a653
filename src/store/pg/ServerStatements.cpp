#include "store/pg/ServerStatements.h"

#include <cctype>

namespace store::pg {

namespace {

std::string Parameter(int number) { return std::string("$").append(std::to_string(number)); }

}  // namespace

ServerStatements::ServerStatements(std::string table, std::vector<ServerColumn> columns)
    : table_(std::move(table)), columns_(std::move(columns)) {
  for (const ServerColumn& column : columns_) {
    std::string quoted = "\"";
    for (char c : column.name) quoted += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    serverNames_.push_back(quoted.append("\""));
  }
}

std::string ServerStatements::Returning() const {
  std::string list = std::string(" returning ") + kRowIdColumn;
  for (const std::string& name : serverNames_) list.append(", ").append(name);
  return list;
}

std::string ServerStatements::OriginalsCondition(int first) const {
  std::string condition = std::string(" where ") + kRowIdColumn + " = " + Parameter(first);
  for (std::size_t c = 0; c < serverNames_.size(); ++c)
    condition.append(" and ")
        .append(serverNames_[c])
        .append(" is not distinct from ")
        .append(Parameter(first + 1 + static_cast<int>(c)));
  return condition;
}

std::string ServerStatements::Insert(const std::vector<int>& columns) const {
  if (columns.empty()) return "insert into " + table_ + " default values" + Returning();
  std::string names, values;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    names.append(i ? ", " : "").append(serverNames_[columns[i]]);
    values.append(i ? ", " : "").append(Parameter(static_cast<int>(i) + 1));
  }
  return "insert into " + table_ + " (" + names + ") values (" + values + ")" + Returning();
}

std::string ServerStatements::Update(const std::vector<int>& columns) const {
  std::string assignments;
  for (std::size_t i = 0; i < columns.size(); ++i)
    assignments.append(i ? ", " : "")
        .append(serverNames_[columns[i]])
        .append(" = ")
        .append(Parameter(static_cast<int>(i) + 1));
  return "update " + table_ + " set " + assignments +
         OriginalsCondition(static_cast<int>(columns.size()) + 1) + Returning();
}

std::string ServerStatements::Delete() const { return "delete from " + table_ + OriginalsCondition(1); }

std::string ServerStatements::Row() const {
  std::string list = kRowIdColumn;
  for (const std::string& name : serverNames_) list.append(", ").append(name);
  return "select " + list + " from " + table_ + " where " + kRowIdColumn + " = $1";
}

}  // namespace store::pg
