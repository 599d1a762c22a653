#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/pg/ServerSchema.h"

namespace store::pg {

// The statements a record set posts with on the server, for one table as a
// statement names it. Values are numbered parameters; every statement that
// writes a row returns it as the server now holds it, in the columns of
// ServerSelect, so that its next post compares against the real values.
class ServerStatements {
 public:
  ServerStatements(std::string table, std::vector<ServerColumn> columns);

  const std::vector<ServerColumn>& Columns() const { return columns_; }

  // Columns by index into Columns(); $1.. are their values.
  std::string Insert(const std::vector<int>& columns) const;
  // $1.. are the new values of `columns`, then the row identity, then the
  // values every column held when read: a row changed or deleted since then
  // matches nothing, and nothing is overwritten.
  std::string Update(const std::vector<int>& columns) const;
  // $1 is the row identity, $2.. the values every column held when read.
  std::string Delete() const;
  // $1 is the row identity.
  std::string Row() const;

 private:
  std::string Returning() const;
  std::string OriginalsCondition(int first) const;

  std::string table_;
  std::vector<ServerColumn> columns_;
  std::vector<std::string> serverNames_;  // quoted, in the server's lower case
};

}  // namespace store::pg
