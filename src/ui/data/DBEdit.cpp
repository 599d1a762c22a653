#include "ui/data/DBEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "ui/data/WholeText.h"

namespace ui {

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent) {
  HoldWholeText(this);
  // textEdited covers every user change: keys, input-method commits, paste, drop, undo.
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { TakeChange(text); });
}

DBEdit::~DBEdit() = default;

void DBEdit::Show(const QString& text) {
  QLineEdit::setText(text);
  if (!hasFocus()) ShowStart();
}

void DBEdit::ShowStart() {
  home(false);
  shownFromStart_ = true;
}

// Typing goes on after the text, as before it was shown from its start.
void DBEdit::TypeAfterText() {
  if (shownFromStart_) end(false);
  shownFromStart_ = false;
}

// Tab selects the whole text and a click places the cursor; the focus coming
// back from a menu or another window leaves it where it was.
void DBEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
    shownFromStart_ = false;
  else
    TypeAfterText();
}

void DBEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (FocusLeft(*event, this)) ShowStart();
}

void DBEdit::mousePressEvent(QMouseEvent* event) {
  shownFromStart_ = false;
  QLineEdit::mousePressEvent(event);
}

void DBEdit::keyPressEvent(QKeyEvent* event) {
  // Escape takes back the unwritten change of this box, the row stays as it is.
  if (event->key() == Qt::Key_Escape && Modified()) {
    ShowField();
    selectAll();
    return;
  }
  TypeAfterText();
  QLineEdit::keyPressEvent(event);
}

void DBEdit::inputMethodEvent(QInputMethodEvent* event) {
  TypeAfterText();
  QLineEdit::inputMethodEvent(event);
}

}  // namespace ui
