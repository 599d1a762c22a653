#include "windows/QuotationCellLink.h"

#include <QAbstractItemView>

#include "ui/data/DataSource.h"

QuotationCellLink::QuotationCellLink(ui::DataSource& source, QAbstractItemView* grid)
    : source_(&source), grid_(grid) {
  source_->AddLink(this);
}

QuotationCellLink::~QuotationCellLink() {
  if (source_) source_->RemoveLink(this);
}

void QuotationCellLink::UpdateData() {
  if (!grid_) return;
  // The window's focus child, even while another window is active.
  QWidget* editor = grid_->window()->focusWidget();
  if (!editor || !grid_->viewport()->isAncestorOf(editor)) return;
  // As leaving the cell would: the text goes into the line, the editor closes.
  QMetaObject::invokeMethod(grid_, "commitData", Qt::DirectConnection, Q_ARG(QWidget*, editor));
  QMetaObject::invokeMethod(grid_, "closeEditor", Qt::DirectConnection, Q_ARG(QWidget*, editor),
                            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
}
