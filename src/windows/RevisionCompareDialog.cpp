#include "windows/RevisionCompareDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "store/life/SnapshotComparison.h"
#include "windows/LifeCaptions.h"

namespace {

QString KindCaption(store::life::Difference::Kind kind) {
  using Kind = store::life::Difference::Kind;
  switch (kind) {
    case Kind::Header:
      return "表頭";
    case Kind::LineAdded:
      return "新增明細";
    case Kind::LineDeleted:
      return "刪除明細";
    case Kind::LineChanged:
      break;
  }
  return "修改明細";
}

}  // namespace

RevisionCompareDialog::RevisionCompareDialog(QWidget* parent, std::vector<Revision> revisions)
    : QDialog(parent), revisions_(std::move(revisions)) {
  setObjectName("RevisionComparison");
  setWindowTitle("比較版本");
  setAttribute(Qt::WA_DeleteOnClose);
  RevisionA = new QComboBox(this);
  RevisionA->setObjectName("RevisionA");
  RevisionB = new QComboBox(this);
  RevisionB->setObjectName("RevisionB");
  for (const Revision& revision : revisions_) {
    RevisionA->addItem(revision.caption);
    RevisionB->addItem(revision.caption);
  }
  // The newest two by default: what changed last.
  RevisionA->setCurrentIndex(std::max(0, RevisionA->count() - 2));
  RevisionB->setCurrentIndex(RevisionB->count() - 1);
  ComparisonGrid = new QTableWidget(0, 5, this);
  ComparisonGrid->setObjectName("ComparisonGrid");
  ComparisonGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ComparisonGrid->verticalHeader()->hide();
  auto* choices = new QFormLayout;
  choices->addRow("版本一：", RevisionA);
  choices->addRow("版本二：", RevisionB);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addWidget(ComparisonGrid);
  connect(RevisionA, &QComboBox::currentIndexChanged, this, &RevisionCompareDialog::ShowDifferences);
  connect(RevisionB, &QComboBox::currentIndexChanged, this, &RevisionCompareDialog::ShowDifferences);
  ShowDifferences();
  resize(760, 420);
}

void RevisionCompareDialog::ShowDifferences() {
  const int a = RevisionA->currentIndex(), b = RevisionB->currentIndex();
  ComparisonGrid->setRowCount(0);
  ComparisonGrid->setHorizontalHeaderLabels(
      {"變更", "序號", "欄位", RevisionA->currentText(), RevisionB->currentText()});
  if (a < 0 || b < 0) return;
  const auto changes = store::life::Compare(revisions_[a].snapshot, revisions_[b].snapshot);
  ComparisonGrid->setRowCount(static_cast<int>(changes.size()));
  for (int row = 0; row < static_cast<int>(changes.size()); ++row) {
    const store::life::Difference& change = changes[row];
    const QString cells[] = {KindCaption(change.kind), QString::fromStdString(change.line),
                             change.field.empty() ? QString() : LifeCaptions::Field(change.field),
                             LifeCaptions::Value(change.field, change.before),
                             LifeCaptions::Value(change.field, change.after)};
    for (int column = 0; column < 5; ++column)
      ComparisonGrid->setItem(row, column, new QTableWidgetItem(cells[column]));
  }
  ComparisonGrid->resizeColumnsToContents();
}
