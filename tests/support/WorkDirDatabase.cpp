#include "WorkDirDatabase.h"

#include <QDir>

WorkDirDatabase::WorkDirDatabase() : oldDir_(QDir::currentPath()) {
  QDir::setCurrent(QString::fromStdString(database_.Dir()));
}

WorkDirDatabase::~WorkDirDatabase() { QDir::setCurrent(oldDir_); }
