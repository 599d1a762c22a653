#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

#include "ui/data/BoundField.h"
#include "ui/data/DataLink.h"

namespace ui {

class DataSource;

// Bound pick list: a drop-down of fixed items whose edit part stays free text;
// typed text is completed from the items. Writes like DBEdit.
class DBComboBox : public QComboBox, public DataLink {
  Q_OBJECT
 public:
  explicit DBComboBox(QWidget* parent = nullptr);
  ~DBComboBox() override;

  void SetDataSource(DataSource* source);
  DataSource* GetDataSource() const { return bound_.Source(); }
  void SetDataField(const QString& field);
  const QString& DataField() const { return bound_.FieldName(); }
  void SetItems(const QStringList& items);

  void SetText(const QString& text);  // program-set text, as DBEdit::SetText
  QString Text() const;
  bool Modified() const { return bound_.Modified(); }

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

 private:
  void ShowField();
  void ShowText(const QString& text);
  void TakeChange(const QString& text);
  void Redisplay();
  QString WrittenText() const;

  BoundField bound_{this};
  QString imeName_;
};

}  // namespace ui
