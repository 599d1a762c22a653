#pragma once

#include <QPointer>

#include "ui/data/DataLink.h"

class QAbstractItemView;

namespace ui {
class DataSource;
}

// Answers the line set's call for held text (a post, a move to another header,
// the window asking about pending lines before it closes) by writing what is
// still open in a cell editor of the line grid. A toolbar click leaves the
// focus in that editor, so without this the typed text would be dropped with
// the line it belongs to.
class QuotationCellLink : public ui::DataLink {
 public:
  QuotationCellLink(ui::DataSource& source, QAbstractItemView* grid);
  ~QuotationCellLink() override;
  QuotationCellLink(const QuotationCellLink&) = delete;
  QuotationCellLink& operator=(const QuotationCellLink&) = delete;

  void UpdateData() override;
  void DataSourceDestroyed() override { source_ = nullptr; }

 private:
  ui::DataSource* source_;
  QPointer<QAbstractItemView> grid_;
};
