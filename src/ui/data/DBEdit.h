#pragma once

#include <QLineEdit>
#include <QString>

#include "ui/data/DataLink.h"

namespace ui {

class DataSource;

// Bound edit box: shows the current row's column; text typed or set by the
// program is written into the column when the box loses the focus and at the
// latest when the row is posted. Setting the text it already shows writes nothing.
class DBEdit : public QLineEdit, public DataLink {
  Q_OBJECT
 public:
  explicit DBEdit(QWidget* parent = nullptr);
  ~DBEdit() override;

  void SetDataSource(DataSource* source);
  DataSource* GetDataSource() const { return source_; }
  void SetDataField(const QString& field);
  const QString& DataField() const { return field_; }

  // Program-set text: counts as the user's change when it differs.
  void SetText(const QString& text);

  // The input method the control asks for on focus (recorded; not switched here).
  void SetImeName(const QString& name) { imeName_ = name; }
  const QString& ImeName() const { return imeName_; }

  void ActiveChanged() override;
  void DataSetChanged() override;
  void RecordChanged() override;
  void UpdateData() override;

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  void ShowField();
  void TakeChange(const QString& text);

  DataSource* source_ = nullptr;
  QString field_;
  QString imeName_;
  bool modified_ = false;
  bool showing_ = false;
};

}  // namespace ui
