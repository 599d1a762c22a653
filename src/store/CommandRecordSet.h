#pragma once

#include <string>

#include "store/RecordSet.h"

namespace store {

enum class CommandType { Text, Table };

// The data set kind: one command text, taking effect at the next Open.
class CommandRecordSet : public RecordSet {
 public:
  CommandRecordSet(Connection& connection, std::string name);
  void SetCommandText(std::string text) { commandText_ = std::move(text); }
  const std::string& CommandText() const { return commandText_; }
  void SetCommandType(CommandType type) { commandType_ = type; }
  CommandType GetCommandType() const { return commandType_; }

 protected:
  std::string CommandSql() const override;  // Table: "select * from <text>"

 private:
  std::string commandText_;
  CommandType commandType_ = CommandType::Text;
};

}  // namespace store
