#pragma once

#include <QTableWidget>
#include <vector>

#include "store/QuotationDraft.h"

// The lines of the quotation being edited, typed straight in: there is always
// an empty line at the end, and typing into it starts a new one. A line's
// total follows its quantity and unit price unless a total was typed by hand;
// such a total is kept and marked (tinted, with a tooltip) until it is
// cleared, which lets it follow again.
class WorkspaceLineGrid : public QTableWidget {
  Q_OBJECT
 public:
  enum Column { Product, Spec, Width, High, Length, Amount, Price, Total, Count };

  explicit WorkspaceLineGrid(QWidget* parent = nullptr);

  void SetLines(const std::vector<store::DraftLine>& lines);
  // The lines typed, the empty ones left out.
  std::vector<store::DraftLine> Lines() const;
  // The places totals are rounded to; totals that follow are worked out again.
  void SetDecimals(int decimals);
  bool HandTotal(int row) const;
  void SetCell(int row, int column, const QString& text);
  QString Cell(int row, int column) const;
  void RemoveLine(int row);

  static constexpr const char* kHandTip = "總金額為手動輸入，不隨數量與單價重算；清空即恢復自動計算。";

 signals:
  void LinesChanged();
  // A product being typed in a line, at each keystroke.
  void ProductTyped(int row, const QString& text);

 private:
  void CellChanged(int row, int column);
  void Recompute(int row);
  void MarkHand(int row, bool hand);
  void EnsureEmptyLast();
  bool EmptyRow(int row) const;

  int decimals_ = 2;
  bool filling_ = false;  // changes made by the grid itself
};
