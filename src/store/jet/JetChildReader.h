#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "store/jet/JetTable.h"

namespace store::jet {

// Reads an Access file with JetReader in a child process and hands its
// catalog, tables and rows over a pipe, so that a damaged file that crashes or
// hangs libmdb costs a clear error instead of the program: the child is killed
// when it sends nothing for `stallLimit`.
class JetChildReader {
 public:
  struct Event {
    enum class Kind { Catalog, Table, Row, TableEnd, Note, Done } kind = Kind::Done;
    std::string format, encoding;   // Catalog
    std::vector<std::string> names; // Catalog: every user table of the file
    std::int64_t declaredRows = 0;  // Catalog: the rows the file declares in the tables to come
    JetTableInfo table;             // Table
    JetRow row;                     // Row
    std::string text;               // Note
  };

  // Reads the `tables` (found in any letter case) that the file has, in this order.
  JetChildReader(const std::string& path, const std::vector<std::string>& tables, const std::string& encoding,
                 std::chrono::milliseconds stallLimit);
  ~JetChildReader();  // stops the child if it still runs
  JetChildReader(const JetChildReader&) = delete;
  JetChildReader& operator=(const JetChildReader&) = delete;

  // The next event, valid (and the caller's to take values from) until the
  // next call; throws StoreError when the file cannot be read, or the child
  // fails or stalls.
  Event& Next();

 private:
  void Fill(std::size_t bytes);
  // Throws for a child that ended (or, when not `ended`, is stopped) without finishing.
  [[noreturn]] void Failed(bool ended);
  void Stop();

  pid_t child_ = -1;
  int pipe_ = -1;
  std::chrono::milliseconds stallLimit_;
  std::string buffer_;
  std::size_t at_ = 0;
  Event event_;
};

}  // namespace store::jet
