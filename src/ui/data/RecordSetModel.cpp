#include "ui/data/RecordSetModel.h"

#include <exception>

#include "store/RecordSet.h"
#include "ui/app/Guard.h"
#include "ui/data/DataSource.h"

namespace ui {

RecordSetModel::RecordSetModel(QObject* parent) : QAbstractTableModel(parent) {}

RecordSetModel::~RecordSetModel() {
  if (source_) source_->RemoveLink(this);
}

void RecordSetModel::SetDataSource(DataSource* source) {
  if (source == source_) return;
  if (source_) source_->RemoveLink(this);
  source_ = source;
  if (source_) source_->AddLink(this);
  Reload();
}

void RecordSetModel::SetColumns(std::vector<GridColumn> columns) {
  columns_ = std::move(columns);
  Reload();
}

void RecordSetModel::SetTitleColor(const QColor& color) {
  titleColor_ = color;
  if (!shown_.empty()) emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(shown_.size()) - 1);
}

int RecordSetModel::FieldIndex(int column) const {
  if (column < 0 || column >= static_cast<int>(fieldIndexes_.size())) return -1;
  return fieldIndexes_[column];
}

store::RecordSet* RecordSetModel::OpenSet() const {
  if (!source_) return nullptr;
  store::RecordSet* set = source_->DataSet();
  return set && set->Active() ? set : nullptr;
}

void RecordSetModel::ResolveFields() {
  store::RecordSet* set = OpenSet();
  shown_ = columns_;
  if (shown_.empty() && set) {
    for (int i = 0; i < set->FieldCount(); ++i) {
      const QString name = QString::fromStdString(set->FieldAt(i).FieldName());
      shown_.push_back(GridColumn{name, name});
    }
  }
  fieldIndexes_.clear();
  for (const GridColumn& column : shown_) {
    store::Field* field = set ? set->FindField(column.field.toStdString()) : nullptr;
    fieldIndexes_.push_back(field ? field->Index() : -1);
  }
}

void RecordSetModel::Reload() {
  beginResetModel();
  ResolveFields();
  store::RecordSet* set = OpenSet();
  rowCount_ = set ? set->RecordsRead() : 0;
  currentRow_ = set ? set->RecNo() : -1;
  inserting_ = set && set->State() == store::DataSetState::Insert;
  endResetModel();
  emit currentRowChanged(currentRow_);
}

// The current row moved, its values or the set's state changed: repaint the
// rows involved; a change of the row count (a new row, a dropped one) reloads.
void RecordSetModel::Follow() {
  store::RecordSet* set = OpenSet();
  if (!set || set->RecordsRead() != rowCount_) {
    Reload();
    return;
  }
  const int previous = currentRow_;
  currentRow_ = set->RecNo();
  inserting_ = set->State() == store::DataSetState::Insert;
  const int lastColumn = columnCount() - 1;
  for (int row : {previous, currentRow_}) {
    if (row < 0 || row >= rowCount_) continue;
    if (lastColumn >= 0) emit dataChanged(index(row, 0), index(row, lastColumn));
    emit headerDataChanged(Qt::Vertical, row, row);
    if (previous == currentRow_) break;
  }
  if (previous != currentRow_) emit currentRowChanged(currentRow_);
}

int RecordSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rowCount_; }

int RecordSetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant RecordSetModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const int field = FieldIndex(index.column());
  store::RecordSet* set = OpenSet();
  if (!set || field < 0 || index.row() < 0 || index.row() >= set->RecordsRead()) return {};
  try {  // nothing may unwind through the view
    return QString::fromStdString(set->CellText(index.row(), field));
  } catch (const std::exception&) {
    return {};
  }
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    if (role == Qt::TextAlignmentRole) return static_cast<int>(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    if (section != currentRow_) return QString();
    return QString::fromUtf8(inserting_ ? kInsertMarker : kCurrentMarker);
  }
  if (section < 0 || section >= static_cast<int>(shown_.size())) return {};
  const GridColumn& column = shown_[section];
  switch (role) {
    case Qt::DisplayRole:
      return column.title;
    case Qt::TextAlignmentRole:
      return static_cast<int>(column.titleAlignment | Qt::AlignVCenter);
    case Qt::ForegroundRole:
      return titleColor_.isValid() ? QVariant(titleColor_) : QVariant();
    default:
      return {};
  }
}

Qt::ItemFlags RecordSetModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && !readOnly_ && FieldIndex(index.column()) >= 0) flags |= Qt::ItemIsEditable;
  return flags;
}

bool RecordSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || readOnly_ || !index.isValid()) return false;
  bool written = false;
  if (!Guard([&] { written = WriteCell(index, value.toString()); })) refused_ = true;
  return written;
}

bool RecordSetModel::WriteCell(const QModelIndex& index, const QString& text) {
  const int field = FieldIndex(index.column());
  store::RecordSet* set = OpenSet();
  if (readOnly_ || !set || field < 0 || index.row() < 0 || index.row() >= set->RecordsRead()) return false;
  // An editor closed without a change writes nothing, so an untouched new row stays untouched.
  if (data(index, Qt::EditRole).toString() == text) return true;
  if (set->RecNo() != index.row()) set->MoveTo(index.row());
  if (!source_->BeginUserEdit()) return false;
  set->FieldAt(field).SetAsString(text.toStdString());
  return true;
}

void RecordSetModel::ActiveChanged() { Reload(); }

void RecordSetModel::DataSetChanged() { Reload(); }

// Rows read later join at the end: the view keeps its place and selection.
void RecordSetModel::RowsRead() {
  store::RecordSet* set = OpenSet();
  const int count = set ? set->RecordsRead() : 0;
  if (count <= rowCount_) return Follow();
  beginInsertRows({}, rowCount_, count - 1);
  rowCount_ = count;
  endInsertRows();
}

void RecordSetModel::RecordChanged() { Follow(); }

void RecordSetModel::StateChanged() { Follow(); }

void RecordSetModel::UpdateData() {
  if (updateDataHook_) updateDataHook_();
}

void RecordSetModel::DataSourceDestroyed() {
  source_ = nullptr;
  beginResetModel();
  ResolveFields();
  rowCount_ = 0;
  currentRow_ = -1;
  inserting_ = false;
  endResetModel();
}

}  // namespace ui
