#include "ui/data/DBEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "ui/app/Guard.h"
#include "ui/data/DataSource.h"

namespace ui {

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent) {
  // textEdited covers every user change: keys, input-method commits, paste, drop, undo.
  connect(this, &QLineEdit::textEdited, this, &DBEdit::TakeChange);
}

DBEdit::~DBEdit() = default;

void DBEdit::SetDataSource(DataSource* source) {
  bound_.SetDataSource(source);
  ShowField();
}

void DBEdit::SetDataField(const QString& field) {
  bound_.SetFieldName(field);
  ShowField();
}

void DBEdit::SetText(const QString& text) {
  if (text == QLineEdit::text()) return;
  if (!bound_.Begin()) {
    QLineEdit::setText(text);
    return;
  }
  QLineEdit::setText(text);
  bound_.MarkModified();
}

void DBEdit::ShowField() {
  bound_.ClearModified();
  QLineEdit::setText(bound_.FieldText());
}

void DBEdit::Redisplay() {
  if (bound_.MayRedisplay()) ShowField();
}

void DBEdit::TakeChange(const QString& text) {
  if (bound_.Pending()) return;  // the change already started an edit of this row
  bool editable = false;
  if (!Guard([&] { editable = bound_.Begin(); }) || !editable) {
    ShowField();
    return;
  }
  if (QLineEdit::text() != text) QLineEdit::setText(text);
  bound_.MarkModified();
}

void DBEdit::ActiveChanged() { ShowField(); }

void DBEdit::DataSetChanged() { Redisplay(); }

void DBEdit::RecordChanged() { Redisplay(); }

void DBEdit::StateChanged() { Redisplay(); }

void DBEdit::UpdateData() { bound_.Write(QLineEdit::text()); }

// Usually the window is being torn down: change nothing on screen, so no
// change handler of a half-destroyed window runs.
void DBEdit::DataSourceDestroyed() {
  bound_.ForgetSource();
  bound_.ClearModified();
}

void DBEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A menu or another window taking the focus is no leaving of the box.
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  if (!bound_.Modified()) return;
  if (Guard([this] { bound_.Write(QLineEdit::text()); })) Redisplay();
}

void DBEdit::keyPressEvent(QKeyEvent* event) {
  // Escape takes back the unwritten change of this box, the row stays as it is.
  if (event->key() == Qt::Key_Escape && bound_.Modified()) {
    ShowField();
    selectAll();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void DBEdit::inputMethodEvent(QInputMethodEvent* event) {
  // A committed composition arrives as textEdited like typed keys.
  QLineEdit::inputMethodEvent(event);
}

}  // namespace ui
