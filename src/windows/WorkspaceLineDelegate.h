#pragma once

#include <QStyledItemDelegate>

// The line grid's cell editor, reporting each keystroke, so that price
// memory can follow a product while it is typed.
class WorkspaceLineDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 signals:
  void Typed(int row, int column, const QString& text) const;
};
