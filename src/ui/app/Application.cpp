#include "ui/app/Application.h"

#include <exception>
#include <memory>

#include "ui/app/LocaleDateFormat.h"
#include "ui/app/Prompts.h"
#include "ui/app/QtTranslations.h"
#include "ui/data/IdleReader.h"

namespace ui {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), idleReader_(std::make_unique<IdleReader>()) {
  InstallQtTranslations();
  store::DateFormat::Install(
      std::make_shared<LocaleDateFormat>(LocaleDateFormat::ForDates(QLocale::system())));
}

Application::~Application() = default;

// Handlers run through Guard; this only catches what slipped past one, so that
// the message loop goes on after showing it.
bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    Prompts::Error(activeWindow(), QString::fromUtf8(e.what()));
  } catch (...) {
    Prompts::Error(activeWindow(), QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace ui
