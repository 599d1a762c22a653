#include "ui/data/BoundControl.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

#include "ui/app/Guard.h"

namespace ui {

void BoundControl::SetDataSource(DataSource* source) {
  bound_.SetDataSource(source);
  ShowField();
}

void BoundControl::SetDataField(const QString& field) {
  bound_.SetFieldName(field);
  ShowField();
}

void BoundControl::SetText(const QString& text) {
  if (text == ShownText()) return;
  const bool bound = bound_.Begin();
  Show(text);
  if (bound) bound_.MarkModified();
}

void BoundControl::ShowField() {
  bound_.ClearModified();
  Show(bound_.FieldText());
}

void BoundControl::Redisplay() {
  if (bound_.MayRedisplay()) ShowField();
}

void BoundControl::TakeChange(const QString& text) {
  if (bound_.Pending()) return;  // the change already started an edit of this row
  bool editable = false;
  if (!Guard([&] { editable = bound_.Begin(); }) || !editable) {
    ShowField();
    return;
  }
  if (ShownText() != text) Show(text);
  bound_.MarkModified();
}

void BoundControl::ActiveChanged() { ShowField(); }

void BoundControl::DataSetChanged() { Redisplay(); }

void BoundControl::RecordChanged() { Redisplay(); }

void BoundControl::StateChanged() { Redisplay(); }

void BoundControl::UpdateData() { bound_.Write(WrittenText()); }

// Usually the window is being torn down: change nothing on screen, so no
// change handler of a half-destroyed window runs.
void BoundControl::DataSourceDestroyed() {
  bound_.ForgetSource();
  bound_.ClearModified();
}

bool BoundControl::FocusLeft(const QFocusEvent& event, const QWidget* control) {
  // A menu, a drop-down or another window taking the focus is no leaving of the control.
  if (event.reason() == Qt::PopupFocusReason || event.reason() == Qt::ActiveWindowFocusReason) return false;
  // Nor is a click on the frame around it (the sub-window's title bar and close
  // box), which takes the focus only to hand it back.
  if (const QWidget* to = QApplication::focusWidget(); to && to->isAncestorOf(control)) return false;
  if (bound_.Modified() && Guard([this] { bound_.Write(WrittenText()); })) Redisplay();
  return true;
}

}  // namespace ui
