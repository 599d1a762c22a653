#pragma once

#include <QDialog>
#include <vector>

#include "store/life/QuotationLife.h"

class QComboBox;
class QTableWidget;

// Two revisions of a quotation side by side: every header field and line that
// differs, with its value in each. The revisions are the issued copies and
// the quotation as stored now.
class RevisionCompareDialog : public QDialog {
  Q_OBJECT
 public:
  struct Revision {
    QString caption;  // "Q1-R1（已被取代）", "目前內容"
    store::life::QuotationSnapshot snapshot;
  };
  RevisionCompareDialog(QWidget* parent, std::vector<Revision> revisions);

  QComboBox* RevisionA = nullptr;
  QComboBox* RevisionB = nullptr;
  QTableWidget* ComparisonGrid = nullptr;

 private:
  void ShowDifferences();

  std::vector<Revision> revisions_;
};
