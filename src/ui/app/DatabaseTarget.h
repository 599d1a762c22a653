#pragma once

#include <string>

namespace ui {

// The database every window opens: the environment variable
// SAMPLEQUOTE_DATABASE when set, else "database=" in the user's settings file
// (~/.config/samplequote/samplequote.conf). Either holds a file path or a
// PostgreSQL connection URI ("postgresql://user@host/dbname"). Empty when
// neither is set: the windows open data.mdb in the working folder.
std::string DatabaseTarget();

}  // namespace ui
