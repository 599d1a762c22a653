#include "ui/app/Guard.h"

#include <QApplication>
#include <exception>

#include "ui/app/Prompts.h"

namespace ui {

bool Guard(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    Prompts::Error(QApplication::activeWindow(), QString::fromUtf8(e.what()));
  } catch (...) {
    Prompts::Error(QApplication::activeWindow(), QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace ui
