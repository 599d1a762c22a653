#include "ui/app/Headless.h"

#include <QGuiApplication>

namespace ui {

bool Headless() {
  const QString platform = QGuiApplication::platformName();
  return platform == u"offscreen" || platform == u"minimal";
}

}  // namespace ui
