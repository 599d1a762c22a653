#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <functional>
#include <utility>
#include <vector>

#include "ui/data/DataLink.h"
#include "ui/data/GridColumn.h"

namespace store {
class RecordSet;
}

namespace ui {

class DataSource;

// Table model over a record set: cells are read on demand from the set's rows,
// so 100,000 rows cost nothing until shown. Editable when not read-only: a
// cell edit starts an edit of that row (through the data source) and writes the field.
// Hidden columns stay in the model (column numbers follow the column list);
// the grid hides them. The vertical header is the row marker: "▶" on the
// current row, "*" on a row being inserted.
class RecordSetModel : public QAbstractTableModel, public DataLink {
  Q_OBJECT
 public:
  static constexpr const char* kCurrentMarker = "\u25B6";
  static constexpr const char* kInsertMarker = "*";

  explicit RecordSetModel(QObject* parent = nullptr);
  ~RecordSetModel() override;

  void SetDataSource(DataSource* source);
  DataSource* GetDataSource() const { return source_; }
  // Empty list: every column of the set, titled with its name.
  void SetColumns(std::vector<GridColumn> columns);
  const std::vector<GridColumn>& Columns() const { return columns_; }
  // The columns in use: the listed ones, or one per field of the open set.
  const std::vector<GridColumn>& ShownColumns() const { return shown_; }
  // The field index behind a model column, -1 when the set lacks it.
  int FieldIndex(int column) const;
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  bool ReadOnly() const { return readOnly_; }
  // Title text colour; invalid: the style's.
  void SetTitleColor(const QColor& color);
  int CurrentRow() const { return currentRow_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  // Writes a cell's text into its row, starting the row's edit; throws what
  // the set refuses. False when the set takes no writes.
  bool WriteCell(const QModelIndex& index, const QString& text);
  // Whether a setData since the last call was refused with an error.
  bool TakeRefusal() { return std::exchange(refused_, false); }

  void ActiveChanged() override;
  void DataSetChanged() override;
  void RowsRead() override;
  void RecordChanged() override;
  void StateChanged() override;
  void UpdateData() override;

  // Run when the set asks its controls for held text: the grid writes a cell
  // editor that is still open.
  void SetUpdateDataHook(std::function<void()> hook) { updateDataHook_ = std::move(hook); }
  void DataSourceDestroyed() override;

 signals:
  void currentRowChanged(int row);

 private:
  void ResolveFields();
  void Reload();
  void Follow();
  store::RecordSet* OpenSet() const;

  DataSource* source_ = nullptr;
  std::vector<GridColumn> columns_;
  std::vector<GridColumn> shown_;  // the columns in use: listed ones, or all fields
  std::vector<int> fieldIndexes_;
  QColor titleColor_;
  bool readOnly_ = true;
  int rowCount_ = 0;
  int currentRow_ = -1;
  std::function<void()> updateDataHook_;
  bool inserting_ = false;
  bool refused_ = false;
};

}  // namespace ui
