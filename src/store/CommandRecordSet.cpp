#include "store/CommandRecordSet.h"

namespace store {

CommandRecordSet::CommandRecordSet(Connection& connection, std::string name)
    : RecordSet(connection, std::move(name)) {}

std::string CommandRecordSet::CommandSql() const {
  return commandType_ == CommandType::Table ? "select * from " + commandText_ : commandText_;
}

}  // namespace store
