#pragma once

#include <string>

namespace store {

// A consistent copy of a database file through SQLite's online backup: every
// save, those still in the journal beside the file included, while other
// programs go on working on it. The copy is written beside `copy` and takes
// its name only when complete; an existing `copy` is refused unless
// `replace`. A server URI is refused: the server's own dump copies it.
void BackupDatabase(const std::string& source, const std::string& copy, bool replace = false);

// Today's copy of the file, "<name>-<day><extension>" in the folder "backups"
// beside it (made when missing), replacing one made earlier that day; of the
// daily copies there only the newest `keep` stay. `day` is YYYY-MM-DD.
// Returns the copy's path.
std::string MakeDailyBackup(const std::string& source, const std::string& day, int keep = 7);

}  // namespace store
