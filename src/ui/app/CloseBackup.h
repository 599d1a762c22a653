#pragma once

class QWidget;

namespace ui {

// When the program closes: today's copy of the user's database file in the
// folder "backups" beside it, the newest seven days kept. The setting
// "dailyBackups=false" in the user's settings file turns it off; a server
// keeps its own copies. A copy that cannot be made is said, and the program
// closes all the same.
void MakeCloseBackup(QWidget* parent);

}  // namespace ui
