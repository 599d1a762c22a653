#pragma once

#include <QWidget>

#include "ui/data/DataLink.h"

class QToolButton;

namespace ui {

class DataSource;

// Record navigator: first, prior, next, last, insert, delete, edit, post,
// cancel, refresh over its data source; with none, every button is disabled.
// Moves are enabled away from the ends, insert and refresh while the set is
// open, delete on a non-empty set, edit in browse, post and cancel while a
// row is pending.
class DBNavigator : public QWidget, public DataLink {
  Q_OBJECT
 public:
  enum ButtonKind { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

  explicit DBNavigator(QWidget* parent = nullptr);
  ~DBNavigator() override;

  void SetDataSource(DataSource* source);
  DataSource* GetDataSource() const { return source_; }
  QToolButton* Button(int index) const;  // in the order above

  void ActiveChanged() override;
  void DataSetChanged() override;
  void RowsRead() override;
  void RecordChanged() override;
  void StateChanged() override;
  void DataSourceDestroyed() override;

 private:
  void UpdateButtons();
  void Press(int index);
  void Reopen();

  DataSource* source_ = nullptr;
  QToolButton* buttons_[ButtonCount] = {};
};

}  // namespace ui
