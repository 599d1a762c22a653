#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/jet/JetTable.h"

namespace store::jet {

// Reads an Access file through libmdb: its catalog and table definitions from
// libmdb, its rows from the raw row data (text, dates, Currency and Memo values
// decoded here, so that nothing is cut, rounded or folded to NULL). Rows come
// in the order Access scans them: a row that grew and moved comes at its first
// place, deleted rows never. Jet 3 text is decoded by the file's code page or
// by `encoding` when one is named.
//
// libmdb trusts the file: a damaged one can crash or hang it, so untrusted
// files are read in a process of their own (JetChildReader).
class JetReader {
 public:
  JetReader(const std::string& path, const std::string& encoding);  // throws StoreError
  ~JetReader();
  JetReader(const JetReader&) = delete;
  JetReader& operator=(const JetReader&) = delete;

  // "Jet 4 (Access 2000-2003)" and the like.
  std::string Format() const;
  // The code page Jet 3 text is read in; empty for the Unicode formats.
  std::string Encoding() const;
  std::vector<std::string> UserTables() const;
  // The table named so in any letter case; nothing when there is none.
  std::optional<JetTableInfo> Table(const std::string& name);
  // Calls `row` for every row of a table Table() has found.
  void ReadRows(const JetTableInfo& table, const std::function<void(const JetRow&)>& row);
  // Notes on values that could not be read (each once), gathered while reading.
  std::vector<std::string> TakeNotes();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace store::jet
