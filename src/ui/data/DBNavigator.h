#pragma once

#include <QWidget>

#include "ui/data/DataLink.h"

class QToolButton;

namespace ui {

class DataSource;

// Record navigator: first, prior, next, last, insert, delete, edit, post,
// cancel, refresh over its data source; with none, every button is disabled.
class DBNavigator : public QWidget, public DataLink {
  Q_OBJECT
 public:
  explicit DBNavigator(QWidget* parent = nullptr);
  ~DBNavigator() override;

  void SetDataSource(DataSource* source);
  DataSource* GetDataSource() const { return source_; }
  QToolButton* Button(int index) const;  // 0..9 in the order above

  void ActiveChanged() override;
  void DataSetChanged() override;
  void RecordChanged() override;
  void StateChanged() override;

 private:
  void UpdateButtons();
  void Press(int index);

  DataSource* source_ = nullptr;
  QToolButton* buttons_[10] = {};
};

}  // namespace ui
