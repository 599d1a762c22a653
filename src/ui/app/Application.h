#pragma once

#include <QApplication>
#include <memory>

namespace ui {

class IdleReader;

// The program's application object: installs Qt's Traditional Chinese texts
// and the user's date format into the store, reads large results in the idle
// time and, as a last resort, shows an
// exception that escaped a handler.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  ~Application() override;
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  std::unique_ptr<IdleReader> idleReader_;
};

}  // namespace ui
