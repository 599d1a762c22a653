#include "ui/app/DatabaseTarget.h"

#include <QSettings>
#include <cstdlib>

namespace ui {

std::string DatabaseTarget() {
  if (const char* variable = std::getenv("SAMPLEQUOTE_DATABASE"); variable && *variable) return variable;
  QSettings settings("samplequote", "samplequote");
  return settings.value("database").toString().trimmed().toStdString();
}

}  // namespace ui
