#pragma once

#include <QString>
#include <QTableView>
#include <vector>

#include "ui/data/GridColumn.h"

namespace ui {

class DataSource;
class RecordSetModel;

// Bound grid: the rows of its data source's set, the current row marked in the
// row-marker column; a click makes a row current. Read-only, or editable with
// the grid keys: typing edits the row, Insert adds a row, Ctrl+Delete deletes
// after "Delete record?", leaving a changed row posts it, and an untouched
// appended row is dropped when the focus leaves the grid.
class DBGrid : public QTableView {
  Q_OBJECT
 public:
  explicit DBGrid(QWidget* parent = nullptr);
  ~DBGrid() override;

  void SetDataSource(DataSource* source);
  DataSource* GetDataSource() const;
  void SetColumns(std::vector<GridColumn> columns);
  void SetReadOnly(bool readOnly);
  bool ReadOnly() const;
  RecordSetModel* Model() const { return model_; }
  int VisibleColumnCount() const;

  void SetImeName(const QString& name) { imeName_ = name; }
  const QString& ImeName() const { return imeName_; }

 signals:
  // A left-button release over a data cell, after the press made its row current.
  void cellClicked(int column);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  void ApplyColumnLook();
  void FollowCurrentRow(int row);

  RecordSetModel* model_ = nullptr;
  QString imeName_;
  bool pressedOnCell_ = false;
  bool syncing_ = false;
};

}  // namespace ui
