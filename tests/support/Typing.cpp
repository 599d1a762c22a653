#include "Typing.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QWidget>

void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 128) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QApplication::sendEvent(widget, &commit);
    }
  }
}
