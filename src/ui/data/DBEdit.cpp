#include "ui/data/DBEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace ui {

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent) {
  // textEdited covers every user change: keys, input-method commits, paste, drop, undo.
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { TakeChange(text); });
}

DBEdit::~DBEdit() = default;

void DBEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  FocusLeft(*event);
}

void DBEdit::keyPressEvent(QKeyEvent* event) {
  // Escape takes back the unwritten change of this box, the row stays as it is.
  if (event->key() == Qt::Key_Escape && Modified()) {
    ShowField();
    selectAll();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace ui
