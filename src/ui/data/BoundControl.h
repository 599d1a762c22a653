#pragma once

#include <QString>

#include "ui/data/BoundField.h"
#include "ui/data/DataLink.h"

class QFocusEvent;
class QWidget;

namespace ui {

class DataSource;

// The half that the bound edit box and pick list share: the binding to one
// column, what the data source's notifications do to the text on screen, the
// taking of the user's change and its writing when the focus leaves.
// The control says how it shows a text and which text it writes.
class BoundControl : public DataLink {
 public:
  BoundControl(const BoundControl&) = delete;
  BoundControl& operator=(const BoundControl&) = delete;

  void SetDataSource(DataSource* source);
  DataSource* GetDataSource() const { return bound_.Source(); }
  void SetDataField(const QString& field);
  const QString& DataField() const { return bound_.FieldName(); }

  // Program-set text: counts as the user's change when it differs (the set
  // enters edit state; its errors reach the caller). Without an open set the
  // text is only shown.
  void SetText(const QString& text);
  // Whether the control holds a change not yet written into its column.
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
  BoundControl() = default;
  ~BoundControl() override = default;

  virtual QString ShownText() const = 0;
  virtual void Show(const QString& text) = 0;
  // The text written into the column; what is shown unless the control spells it otherwise.
  virtual QString WrittenText() const { return ShownText(); }

  // The current row's column, replacing any unwritten change.
  void ShowField();
  // A change the user made on screen.
  void TakeChange(const QString& text);
  // After the base class handled the focus leaving `control`: writes the change
  // and says whether the control was left (not only a menu or the frame taking the focus).
  bool FocusLeft(const QFocusEvent& event, const QWidget* control);

 private:
  void Redisplay();

  BoundField bound_{this};
  QString imeName_;
};

}  // namespace ui
