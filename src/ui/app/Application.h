#pragma once

#include <QApplication>

namespace ui {

// The program's application object: installs Qt's Traditional Chinese texts
// and the user's date format into the store and, as a last resort, shows an
// exception that escaped a handler.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace ui
