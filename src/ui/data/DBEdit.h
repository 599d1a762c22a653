#pragma once

#include <QLineEdit>
#include <QString>

#include "ui/data/BoundControl.h"

namespace ui {

// Bound edit box: shows the current row's column; text typed or set by the
// program is written into the column when the box loses the focus and at the
// latest when the row is posted. Setting the text it already shows writes nothing.
// textChanged fires on every change of the text, shown values included.
class DBEdit : public QLineEdit, public BoundControl {
  Q_OBJECT
 public:
  explicit DBEdit(QWidget* parent = nullptr);
  ~DBEdit() override;

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  QString ShownText() const override { return QLineEdit::text(); }
  void Show(const QString& text) override { QLineEdit::setText(text); }
};

}  // namespace ui
