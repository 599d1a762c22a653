#include "ui/data/DBGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusTipEvent>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <functional>

#include "store/RecordSet.h"
#include "ui/app/Guard.h"
#include "ui/app/Prompts.h"
#include "ui/data/DataSource.h"
#include "ui/data/RecordSetModel.h"
#include "ui/data/WholeText.h"

namespace ui {

namespace {

constexpr int kMarkerWidth = 16;
constexpr int kMaxFittedWidth = 240;
constexpr int kFittedRows = 200;  // rows measured when columns are fitted

// Opening a cell editor starts the edit of its row, as typing into a grid
// does; when the set refuses, no editor opens.
class RowEditDelegate : public QStyledItemDelegate {
 public:
  RowEditDelegate(QObject* parent, std::function<bool(int)> beginRow)
      : QStyledItemDelegate(parent), beginRow_(std::move(beginRow)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    if (!beginRow_(index.row())) return nullptr;
    editor_ = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* box = qobject_cast<QLineEdit*>(editor_.data())) HoldWholeText(box);
    index_ = index;
    return editor_;
  }

  // A value cut off by its column shows whole as the cell's tooltip.
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (!event || event->type() != QEvent::ToolTip)
      return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty() || sizeHint(option, index).width() <= option.rect.width()) {
      QToolTip::hideText();
      event->ignore();
      return false;
    }
    QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
    return true;
  }

  // The cell editor last opened and its cell; null once it is gone.
  QWidget* Editor() const { return editor_; }
  QModelIndex EditedIndex() const { return index_; }

 private:
  std::function<bool(int)> beginRow_;
  mutable QPointer<QWidget> editor_;
  mutable QPersistentModelIndex index_;
};

const RowEditDelegate& DelegateOf(const QAbstractItemDelegate* delegate) {
  return *static_cast<const RowEditDelegate*>(delegate);
}

QString EditorText(QWidget* editor) {
  const QMetaProperty property = editor->metaObject()->userProperty();
  return property.isValid() ? property.read(editor).toString() : QString();
}

}  // namespace

DBGrid::DBGrid(QWidget* parent) : QTableView(parent) {
  model_ = new RecordSetModel(this);
  setModel(model_);
  delegate_ = new RowEditDelegate(this, [this](int row) { return BeginRowEdit(row); });
  setItemDelegate(delegate_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // One line of text per row, as in a data grid: long values are cut, not wrapped.
  setWordWrap(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->setFixedWidth(kMarkerWidth);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setResizeContentsPrecision(kFittedRows);
  SetReadOnly(true);
  // A post, a move or a closing window asks for held text: an open cell editor counts.
  model_->SetUpdateDataHook([this] { FinishCellEdit(); });
  connect(model_, &QAbstractItemModel::modelReset, this, &DBGrid::ApplyColumnLook);
  connect(model_, &RecordSetModel::currentRowChanged, this, &DBGrid::FollowCurrentRow);
  connect(qApp, &QApplication::focusChanged, this, &DBGrid::FocusMoved);
  // The table view selects nothing on a marker press with single-cell selection: the row is made current
  // here.
  connect(verticalHeader(), &QHeaderView::sectionPressed, this,
          [this](int row) { setCurrentIndex(model_->index(row, std::max(currentIndex().column(), 0))); });
}

DBGrid::~DBGrid() {
  // The focus may still move while the view's bases and cell editor go away.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void DBGrid::SetDataSource(DataSource* source) { model_->SetDataSource(source); }

DataSource* DBGrid::GetDataSource() const { return model_->GetDataSource(); }

void DBGrid::SetColumns(std::vector<GridColumn> columns) { model_->SetColumns(std::move(columns)); }

void DBGrid::SetReadOnly(bool readOnly) {
  model_->SetReadOnly(readOnly);
  setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                           : QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::DoubleClicked);
}

bool DBGrid::ReadOnly() const { return model_->ReadOnly(); }

int DBGrid::VisibleColumnCount() const {
  int count = 0;
  for (int column = 0; column < model_->columnCount(); ++column) count += isColumnHidden(column) ? 0 : 1;
  return count;
}

void DBGrid::SetTitleFont(const QFont& font) { horizontalHeader()->setFont(font); }

QFont DBGrid::TitleFont() const { return horizontalHeader()->font(); }

void DBGrid::SetTitleColor(const QColor& color) { model_->SetTitleColor(color); }

store::RecordSet* DBGrid::OpenSet() const {
  DataSource* source = model_->GetDataSource();
  store::RecordSet* set = source ? source->DataSet() : nullptr;
  return set && set->Active() ? set : nullptr;
}

// A model reset forgets hidden sections and widths: put them back, each shown
// column at least as wide as its title and values (up to a limit).
void DBGrid::ApplyColumnLook() {
  const std::vector<GridColumn>& columns = model_->ShownColumns();
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
    setColumnHidden(i, !columns[i].visible);
    const int content = std::max(sizeHintForColumn(i), horizontalHeader()->sectionSizeHint(i));
    setColumnWidth(
        i, columns[i].visible ? std::clamp(content, columns[i].width, kMaxFittedWidth) : columns[i].width);
  }
}

void DBGrid::FollowCurrentRow(int row) {
  const bool wasSyncing = syncing_;
  syncing_ = true;
  if (row < 0 || row >= model_->rowCount()) {
    selectionModel()->clearCurrentIndex();
  } else {
    int column = currentIndex().isValid() ? currentIndex().column() : 0;
    while (column + 1 < model_->columnCount() && isColumnHidden(column)) ++column;
    const QModelIndex index = model_->index(row, column);
    if (currentIndex() != index)
      selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
  }
  syncing_ = wasSyncing;
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (HoldsRefusedText() && current != EditedIndex()) {
    // The cell keeps its refused text: the cursor goes back to it once the click is done.
    QMetaObject::invokeMethod(
        this, [this, cell = QPersistentModelIndex(EditedIndex())] { setCurrentIndex(cell); },
        Qt::QueuedConnection);
    return;
  }
  store::RecordSet* set = OpenSet();
  if (syncing_ || !current.isValid() || !set || current.row() == set->RecNo()) return;
  const int row = current.row();
  if (Guard([set, row] { set->MoveTo(row); })) return;
  // The pending row could not be finished: the cursor goes back to it once the click is done.
  QMetaObject::invokeMethod(
      this, [this] { FollowCurrentRow(OpenSet() ? OpenSet()->RecNo() : -1); }, Qt::QueuedConnection);
}

bool DBGrid::BeginRowEdit(int row) {
  store::RecordSet* set = OpenSet();
  DataSource* source = model_->GetDataSource();
  if (!set || ReadOnly()) return false;
  bool editing = false;
  Guard([&] {
    if (set->RecNo() != row) set->MoveTo(row);
    editing = source->BeginUserEdit();
  });
  return editing;
}

void DBGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  QTableView::mousePressEvent(event);
  store::RecordSet* set = OpenSet();
  pressedOnCell_ = event->button() == Qt::LeftButton && index.isValid() && set && set->RecNo() == index.row();
}

void DBGrid::mouseReleaseEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  const bool click = pressedOnCell_ && event->button() == Qt::LeftButton && index.isValid();
  pressedOnCell_ = false;
  QTableView::mouseReleaseEvent(event);
  if (click) emit cellClicked(index.column());
}

void DBGrid::keyPressEvent(QKeyEvent* event) {
  if (OpenSet() && (ReadsOn(event) || (!ReadOnly() && HandleEditKey(event)))) return;
  QTableView::keyPressEvent(event);
}

// Down on the last row read while the rest is still to come: read the next
// row and move there, as the view would.
bool DBGrid::ReadsOn(QKeyEvent* event) {
  store::RecordSet* set = OpenSet();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() != Qt::Key_Down || modifiers != Qt::NoModifier) return false;
  if (!set->Reading() || set->RecNo() < set->RecordsRead() - 1) return false;
  Guard([this, set] {
    FinishCellEdit();
    set->Next();
  });
  return true;
}

bool DBGrid::HandleEditKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const int key = event->key();
  if (key == Qt::Key_Insert && modifiers == Qt::NoModifier) {
    Guard([this] {
      FinishCellEdit();
      OpenSet()->Insert();
    });
    return true;
  }
  if (key == Qt::Key_Delete && modifiers == Qt::ControlModifier) {
    if (Guard([this] { FinishCellEdit(); })) DeleteCurrent();
    return true;
  }
  if (key == Qt::Key_Down && modifiers == Qt::NoModifier) {
    store::RecordSet* set = OpenSet();
    if (set->RecNo() < set->RecordsRead() - 1) return false;
    if (Guard([this] { FinishCellEdit(); })) AppendAtEnd();
    return true;
  }
  // With nothing to take back, Escape is left to the window (a lookup closes on it).
  if (key == Qt::Key_Escape && state() != QAbstractItemView::EditingState &&
      OpenSet()->State() != store::DataSetState::Browse) {
    Guard([this] { OpenSet()->Cancel(); });
    return true;
  }
  return false;
}

QWidget* DBGrid::OpenEditor() const {
  return state() == QAbstractItemView::EditingState ? DelegateOf(delegate_).Editor() : nullptr;
}

QModelIndex DBGrid::EditedIndex() const { return DelegateOf(delegate_).EditedIndex(); }

bool DBGrid::HoldsRefusedText() const { return refusedEditor_ && OpenEditor() == refusedEditor_; }

// Writes and closes an open cell editor, as leaving the cell would. Text the
// set refuses throws and stays in its cell.
void DBGrid::FinishCellEdit() {
  QWidget* editor = OpenEditor();
  if (!editor) return;
  model_->WriteCell(EditedIndex(), EditorText(editor));
  refusedEditor_ = nullptr;
  QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DBGrid::commitData(QWidget* editor) {
  model_->TakeRefusal();
  QTableView::commitData(editor);
  refusedEditor_ = model_->TakeRefusal() ? editor : nullptr;
}

// A refused value stays in its cell for correction, as in the header boxes:
// the editor stays open and the cursor does not move on. Escape takes it back.
void DBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  if (editor && editor == refusedEditor_ && hint != QAbstractItemDelegate::RevertModelCache) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || Contains(focus)) editor->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
    return;
  }
  refusedEditor_ = nullptr;
  const bool tabbed =
      hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
  if (tabbed && AtEdgeCell(hint == QAbstractItemDelegate::EditNextItem)) {
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    QWidget::focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
    return;
  }
  QTableView::closeEditor(editor, hint);
}

void DBGrid::AppendAtEnd() {
  store::RecordSet* set = OpenSet();
  if (!set) return;
  // An empty new row already waits at the end: no second one.
  if (set->State() == store::DataSetState::Insert && !set->Modified()) return;
  Guard([set] { set->Append(); });
}

void DBGrid::DeleteCurrent() {
  store::RecordSet* set = OpenSet();
  if (!set || set->IsEmpty()) return;
  if (!Prompts::ConfirmPlain(this, QStringLiteral("Delete record?"))) return;
  Guard([this] {
    if (store::RecordSet* open = OpenSet()) open->Delete();
  });
}

bool DBGrid::focusNextPrevChild(bool next) {
  if (AtEdgeCell(next)) return QWidget::focusNextPrevChild(next);
  return QTableView::focusNextPrevChild(next);
}

// The cell Tab (next) or Shift+Tab would leave the grid from; an empty grid is all edge.
bool DBGrid::AtEdgeCell(bool next) const {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return true;
  const int edgeRow = next ? model_->rowCount() - 1 : 0;
  int edgeColumn = next ? model_->columnCount() - 1 : 0;
  while (isColumnHidden(edgeColumn) && edgeColumn != current.column()) edgeColumn += next ? -1 : 1;
  return current.row() == edgeRow && current.column() == edgeColumn;
}

bool DBGrid::Contains(const QWidget* widget) const {
  return widget && (widget == this || isAncestorOf(widget));
}

// The focus went from the grid (or its cell editor) to another control of the
// same window: an appended row the user never touched is dropped. A prompt,
// another window or the frame around the grid taking the focus is not leaving.
void DBGrid::FocusMoved(QWidget* from, QWidget* to) {
  SayHowToLeave(from, to);
  if (ReadOnly() || !Contains(from) || !to || Contains(to) || to->window() != window()) return;
  if (to->isAncestorOf(this)) return;  // the sub-window's frame, clicked: it hands the focus back
  store::RecordSet* set = OpenSet();
  if (!set || set->State() != store::DataSetState::Insert || set->Modified()) return;
  Guard([set] { set->Cancel(); });
}

// The hint goes up to the window's status bar as a status tip, and is taken
// back when the focus leaves the grid.
void DBGrid::SayHowToLeave(QWidget* from, QWidget* to) {
  if (Contains(from) == Contains(to)) return;
  QStatusTipEvent tip(Contains(to) ? QString::fromUtf8(kFocusHint) : QString());
  QCoreApplication::sendEvent(this, &tip);
}

}  // namespace ui
