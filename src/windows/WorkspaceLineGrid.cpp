#include "windows/WorkspaceLineGrid.h"

#include <QHeaderView>

#include "windows/WorkspaceLineDelegate.h"
#include "windows/WorkspaceLineTotal.h"

namespace {

constexpr const char* kTitles[] = {"品名/品號", "規格", "寬", "高", "長", "數量", "單價", "總金額"};
constexpr int kHandRole = Qt::UserRole + 1;
constexpr int kRowPadding = 6;
constexpr int kNumberWidth = 56;
constexpr int kTextWidth = 110;
const QColor kHandTint(255, 243, 196);

std::string S(const QString& text) { return text.trimmed().toStdString(); }

// The members of a draft line, in column order.
constexpr std::string store::DraftLine::*kMembers[] = {&store::DraftLine::product, &store::DraftLine::spec,
                                                       &store::DraftLine::width,   &store::DraftLine::high,
                                                       &store::DraftLine::length,  &store::DraftLine::amount,
                                                       &store::DraftLine::price,   &store::DraftLine::total};

}  // namespace

WorkspaceLineGrid::WorkspaceLineGrid(QWidget* parent) : QTableWidget(0, Count, parent) {
  setObjectName(QStringLiteral("LineGrid"));
  for (int c = 0; c < Count; ++c)
    setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf8(kTitles[c])));
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setStretchLastSection(true);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
  horizontalHeader()->setDefaultSectionSize(kNumberWidth);
  setColumnWidth(Product, kTextWidth);
  setColumnWidth(Spec, kTextWidth);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::DoubleClicked);
  setTabKeyNavigation(true);
  auto* delegate = new WorkspaceLineDelegate(this);
  setItemDelegate(delegate);
  connect(delegate, &WorkspaceLineDelegate::Typed, this, [this](int row, int column, const QString& text) {
    if (column == Product) emit ProductTyped(row, text);
  });
  connect(this, &QTableWidget::cellChanged, this, &WorkspaceLineGrid::CellChanged);
  EnsureEmptyLast();
}

QString WorkspaceLineGrid::Cell(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell ? cell->text() : QString();
}

void WorkspaceLineGrid::SetCell(int row, int column, const QString& text) {
  QTableWidgetItem* cell = item(row, column);
  if (!cell) setItem(row, column, cell = new QTableWidgetItem);
  if (column >= Width) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  cell->setText(text);
}

bool WorkspaceLineGrid::EmptyRow(int row) const {
  for (int c = 0; c < Count; ++c)
    if (!Cell(row, c).trimmed().isEmpty()) return false;
  return true;
}

// Every cell of the new line gets its item at once: an editor's text then
// lands in an item that reports the change with the text in place.
void WorkspaceLineGrid::EnsureEmptyLast() {
  if (rowCount() > 0 && EmptyRow(rowCount() - 1)) return;
  const bool filling = filling_;
  filling_ = true;
  insertRow(rowCount());
  for (int c = 0; c < Count; ++c) SetCell(rowCount() - 1, c, QString());
  filling_ = filling;
}

void WorkspaceLineGrid::SetLines(const std::vector<store::DraftLine>& lines) {
  filling_ = true;
  setRowCount(0);
  setRowCount(static_cast<int>(lines.size()));
  for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
    const store::DraftLine& line = lines[static_cast<std::size_t>(r)];
    for (int c = 0; c < Count; ++c) SetCell(r, c, QString::fromStdString(line.*kMembers[c]));
    const auto computed = WorkspaceLineTotal::Of(line.amount, line.price, decimals_);
    MarkHand(r, !line.total.empty() && !(computed && WorkspaceLineTotal::SameAmount(*computed, line.total)));
  }
  EnsureEmptyLast();
  filling_ = false;
}

std::vector<store::DraftLine> WorkspaceLineGrid::Lines() const {
  std::vector<store::DraftLine> lines;
  for (int r = 0; r < rowCount(); ++r) {
    if (EmptyRow(r)) continue;
    store::DraftLine& line = lines.emplace_back();
    for (int c = 0; c < Count; ++c) line.*kMembers[c] = S(Cell(r, c));
  }
  return lines;
}

void WorkspaceLineGrid::SetDecimals(int decimals) {
  decimals_ = decimals;
  for (int r = 0; r < rowCount(); ++r) Recompute(r);
}

bool WorkspaceLineGrid::HandTotal(int row) const {
  const QTableWidgetItem* cell = item(row, Total);
  return cell && cell->data(kHandRole).toBool();
}

void WorkspaceLineGrid::MarkHand(int row, bool hand) {
  if (!item(row, Total)) SetCell(row, Total, QString());
  QTableWidgetItem* cell = item(row, Total);
  cell->setData(kHandRole, hand);
  cell->setBackground(hand ? QBrush(kHandTint) : QBrush());
  cell->setToolTip(hand ? QString::fromUtf8(kHandTip) : QString());
}

void WorkspaceLineGrid::Recompute(int row) {
  if (HandTotal(row)) return;
  const bool filling = filling_;
  filling_ = true;
  const auto total = WorkspaceLineTotal::Of(S(Cell(row, Amount)), S(Cell(row, Price)), decimals_);
  SetCell(row, Total, total ? QString::fromStdString(*total) : QString());
  filling_ = filling;
}

void WorkspaceLineGrid::CellChanged(int row, int column) {
  if (filling_) return;
  if (column == Total) {
    const bool cleared = Cell(row, Total).trimmed().isEmpty();
    filling_ = true;
    MarkHand(row, !cleared);
    filling_ = false;
    if (cleared) Recompute(row);
  } else if (column == Amount || column == Price) {
    Recompute(row);
  }
  EnsureEmptyLast();
  emit LinesChanged();
}

void WorkspaceLineGrid::RemoveLine(int row) {
  filling_ = true;
  removeRow(row);
  EnsureEmptyLast();
  filling_ = false;
  emit LinesChanged();
}
