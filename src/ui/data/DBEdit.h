#pragma once

#include <QLineEdit>
#include <QString>

#include "ui/data/BoundControl.h"

namespace ui {

// Bound edit box: shows the current row's column; text typed or set by the
// program is written into the column when the box loses the focus and at the
// latest when the row is posted. Setting the text it already shows writes nothing.
// textChanged fires on every change of the text, shown values included. It
// holds values of any length and, while not being edited, shows their start.
class DBEdit : public QLineEdit, public BoundControl {
  Q_OBJECT
 public:
  explicit DBEdit(QWidget* parent = nullptr);
  ~DBEdit() override;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QString ShownText() const override { return QLineEdit::text(); }
  // Shown from its start unless the box is being edited.
  void Show(const QString& text) override;

 private:
  void ShowStart();
  void TypeAfterText();

  bool shownFromStart_ = false;  // the cursor went to the start only to show it
};

}  // namespace ui
