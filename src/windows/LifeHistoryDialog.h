#pragma once

#include <QDialog>
#include <vector>

#include "store/life/QuotationLife.h"

class QTableWidget;

// A quotation's history, newest last: when (local time), who, what, line,
// field, old and new. Read-only, as the history itself.
class LifeHistoryDialog : public QDialog {
  Q_OBJECT
 public:
  LifeHistoryDialog(QWidget* parent, const QString& number,
                    const std::vector<store::life::HistoryEntry>& entries);

  QTableWidget* HistoryGrid = nullptr;
};
