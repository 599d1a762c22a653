#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QTableView>
#include <vector>

#include "ui/data/GridColumn.h"

namespace store {
class RecordSet;
}

namespace ui {

class DataSource;
class RecordSetModel;

// Bound grid: the rows of its data source's set, the current row marked in the
// row-marker column ("▶", or "*" while the row is being inserted); a click
// makes a row current. Read-only, or editable with the grid keys: typing edits
// the row, Insert adds a row before the current one, Ctrl+Delete deletes after
// "Delete record?", Down on the last row appends, Escape drops the row's
// change, leaving a changed row posts it, and an untouched new row is dropped
// when the focus leaves the grid for another control of its window. A value
// the set refuses stays in its cell editor for correction. Columns are fitted
// to their title and values; a value still cut off shows whole as a tooltip.
// Tab walks the cells and leaves the grid from the last one (Shift+Tab from the
// first); the window's status bar says so while the grid has the focus.
class DBGrid : public QTableView {
  Q_OBJECT
 public:
  static constexpr const char* kFocusHint = "表格：Tab 逐格移動，在最後一格按 Tab 離開表格（Shift+Tab 反向）";

  explicit DBGrid(QWidget* parent = nullptr);
  ~DBGrid() override;

  void SetDataSource(DataSource* source);
  DataSource* GetDataSource() const;
  void SetColumns(std::vector<GridColumn> columns);
  void SetReadOnly(bool readOnly);
  bool ReadOnly() const;
  RecordSetModel* Model() const { return model_; }
  int VisibleColumnCount() const;

  void SetTitleFont(const QFont& font);
  QFont TitleFont() const;
  void SetTitleColor(const QColor& color);

  void SetImeName(const QString& name) { imeName_ = name; }
  const QString& ImeName() const { return imeName_; }

 signals:
  // A left-button release over a data cell, after the press made its row current.
  void cellClicked(int column);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void commitData(QWidget* editor) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  void ApplyColumnLook();
  void FollowCurrentRow(int row);
  store::RecordSet* OpenSet() const;
  bool ReadsOn(QKeyEvent* event);
  bool HandleEditKey(QKeyEvent* event);
  void FinishCellEdit();
  QWidget* OpenEditor() const;
  QModelIndex EditedIndex() const;
  bool HoldsRefusedText() const;
  void AppendAtEnd();
  void DeleteCurrent();
  bool BeginRowEdit(int row);
  bool AtEdgeCell(bool next) const;
  // Leaving the grid is judged here rather than on focus-out: the focus may also leave from a cell editor.
  void FocusMoved(QWidget* from, QWidget* to);
  void SayHowToLeave(QWidget* from, QWidget* to);
  bool Contains(const QWidget* widget) const;

  RecordSetModel* model_ = nullptr;
  QAbstractItemDelegate* delegate_ = nullptr;
  QPointer<QWidget> refusedEditor_;  // open with text the set refused
  QString imeName_;
  bool pressedOnCell_ = false;
  bool syncing_ = false;
};

}  // namespace ui
