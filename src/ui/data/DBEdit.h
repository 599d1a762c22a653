#pragma once

#include <QLineEdit>
#include <QString>

#include "ui/data/BoundField.h"
#include "ui/data/DataLink.h"

namespace ui {

class DataSource;

// Bound edit box: shows the current row's column; text typed or set by the
// program is written into the column when the box loses the focus and at the
// latest when the row is posted. Setting the text it already shows writes nothing.
// textChanged fires on every change of the text, shown values included.
class DBEdit : public QLineEdit, public DataLink {
  Q_OBJECT
 public:
  explicit DBEdit(QWidget* parent = nullptr);
  ~DBEdit() override;

  void SetDataSource(DataSource* source);
  DataSource* GetDataSource() const { return bound_.Source(); }
  void SetDataField(const QString& field);
  const QString& DataField() const { return bound_.FieldName(); }

  // Program-set text: counts as the user's change when it differs (the set
  // enters edit state; its errors reach the caller). Without an open set the
  // text is only shown.
  void SetText(const QString& text);
  // Whether the box holds a change not yet written into its column.
  bool Modified() const { return bound_.Modified(); }

  // The input method the control asks for on focus (recorded; not switched here).
  void SetImeName(const QString& name) { imeName_ = name; }
  const QString& ImeName() const { return imeName_; }

  void ActiveChanged() override;
  void DataSetChanged() override;
  void RecordChanged() override;
  void StateChanged() override;
  void UpdateData() override;
  void DataSourceDestroyed() override;

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  void ShowField();
  void TakeChange(const QString& text);
  void Redisplay();

  BoundField bound_{this};
  QString imeName_;
};

}  // namespace ui
