#include "ui/data/DBComboBox.h"

#include <QCompleter>
#include <QFocusEvent>
#include <QLineEdit>

#include "ui/app/Guard.h"
#include "ui/data/DataSource.h"

namespace ui {

DBComboBox::DBComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);  // the items are fixed; typed text stays free
  auto* completer = new QCompleter(model(), this);
  completer->setCompletionMode(QCompleter::InlineCompletion);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  setCompleter(completer);
  connect(lineEdit(), &QLineEdit::textEdited, this, &DBComboBox::TakeChange);
  connect(this, &QComboBox::activated, this, [this](int index) { TakeChange(itemText(index)); });
}

DBComboBox::~DBComboBox() = default;

void DBComboBox::SetDataSource(DataSource* source) {
  bound_.SetDataSource(source);
  ShowField();
}

void DBComboBox::SetDataField(const QString& field) {
  bound_.SetFieldName(field);
  ShowField();
}

void DBComboBox::SetItems(const QStringList& items) {
  const QString text = Text();
  clear();
  addItems(items);
  ShowText(text);
}

QString DBComboBox::Text() const { return currentText(); }

void DBComboBox::SetText(const QString& text) {
  if (text == Text()) return;
  if (bound_.Begin()) bound_.MarkModified();
  ShowText(text);
}

// Selects the matching item, if any, and shows the text as it is.
void DBComboBox::ShowText(const QString& text) {
  setCurrentIndex(findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
  if (currentText() != text) setEditText(text);
}

void DBComboBox::ShowField() {
  bound_.ClearModified();
  ShowText(bound_.FieldText());
}

void DBComboBox::Redisplay() {
  if (bound_.MayRedisplay()) ShowField();
}

void DBComboBox::TakeChange(const QString& text) {
  if (bound_.Pending()) return;
  bool editable = false;
  if (!Guard([&] { editable = bound_.Begin(); }) || !editable) {
    ShowField();
    return;
  }
  if (currentText() != text) setEditText(text);
  bound_.MarkModified();
}

void DBComboBox::ActiveChanged() { ShowField(); }

void DBComboBox::DataSetChanged() { Redisplay(); }

void DBComboBox::RecordChanged() { Redisplay(); }

void DBComboBox::StateChanged() { Redisplay(); }

// An item typed in another letter case (inline completion keeps the typed
// letters) is written as the list spells it.
QString DBComboBox::WrittenText() const {
  const int item = findText(Text(), Qt::MatchFixedString);
  return item >= 0 ? itemText(item) : Text();
}

void DBComboBox::UpdateData() { bound_.Write(WrittenText()); }

void DBComboBox::DataSourceDestroyed() {
  bound_.ForgetSource();
  bound_.ClearModified();
}

void DBComboBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // The drop-down opening, or another window, takes the focus without leaving the list.
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  if (!bound_.Modified()) return;
  if (Guard([this] { bound_.Write(WrittenText()); })) Redisplay();
}

}  // namespace ui
