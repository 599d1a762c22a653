#pragma once

#include <QString>

#include "support/TempDatabase.h"

// A fresh data.mdb in a folder of its own, made current so that the windows
// find it there. The previous folder is current again afterwards.
class WorkDirDatabase {
 public:
  WorkDirDatabase();
  ~WorkDirDatabase();
  WorkDirDatabase(const WorkDirDatabase&) = delete;
  WorkDirDatabase& operator=(const WorkDirDatabase&) = delete;

 private:
  TempDatabase database_;
  QString oldDir_;
};
