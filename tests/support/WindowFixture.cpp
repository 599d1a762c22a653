#include "WindowFixture.h"

#include <QApplication>

void WindowFixture::TearDown() {
  for (const QPointer<QWidget>& window : windows_) delete window.data();
  windows_.clear();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
