#include "windows/WorkspaceLineDelegate.h"

#include <QLineEdit>

QWidget* WorkspaceLineDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    line->setObjectName(QStringLiteral("LineCellEditor"));
    const int row = index.row(), column = index.column();
    connect(line, &QLineEdit::textEdited, this,
            [this, row, column](const QString& text) { emit Typed(row, column, text); });
  }
  return editor;
}
