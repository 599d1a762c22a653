#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

#include "ui/data/BoundControl.h"

namespace ui {

// Bound pick list: a drop-down of fixed items whose edit part stays free text;
// typed text is completed from the items. Writes like DBEdit.
class DBComboBox : public QComboBox, public BoundControl {
  Q_OBJECT
 public:
  explicit DBComboBox(QWidget* parent = nullptr);
  ~DBComboBox() override;

  void SetItems(const QStringList& items);
  QString Text() const { return currentText(); }

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  QString ShownText() const override { return Text(); }
  void Show(const QString& text) override;
  QString WrittenText() const override;
};

}  // namespace ui
