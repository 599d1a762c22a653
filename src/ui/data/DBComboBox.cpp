#include "ui/data/DBComboBox.h"

#include <QCompleter>
#include <QFocusEvent>
#include <QLineEdit>

#include "ui/data/WholeText.h"

namespace ui {

DBComboBox::DBComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  HoldWholeText(lineEdit());
  setInsertPolicy(QComboBox::NoInsert);  // the items are fixed; typed text stays free
  auto* completer = new QCompleter(model(), this);
  completer->setCompletionMode(QCompleter::InlineCompletion);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  setCompleter(completer);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { TakeChange(text); });
  connect(this, &QComboBox::activated, this, [this](int index) { TakeChange(itemText(index)); });
}

DBComboBox::~DBComboBox() = default;

void DBComboBox::SetItems(const QStringList& items) {
  const QString text = Text();
  clear();
  addItems(items);
  Show(text);
}

// Selects the matching item, if any, and shows the text as it is.
void DBComboBox::Show(const QString& text) {
  setCurrentIndex(findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
  if (currentText() != text) setEditText(text);
}

// An item typed in another letter case (inline completion keeps the typed
// letters) is written as the list spells it.
QString DBComboBox::WrittenText() const {
  const int item = findText(Text(), Qt::MatchFixedString);
  return item >= 0 ? itemText(item) : Text();
}

void DBComboBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  FocusLeft(*event, this);
}

}  // namespace ui
