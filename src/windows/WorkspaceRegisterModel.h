#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <chrono>
#include <map>
#include <utility>
#include <vector>

#include "store/QuotationRegister.h"
#include "store/life/QuotationLife.h"

// The register's rows for its grid: each quotation with its customer, dates
// in the user's format, and subtotal, tax and total worked out from the
// lines' sum by the header's tax type and rate. Qt::UserRole gives each cell
// its sort key (numbers as numbers). The state is the one shown (Expired
// worked out from today), and the revision the one the customer was sent.
class WorkspaceRegisterModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column {
    Number,
    CustNo,
    CustName,
    Date,
    ValidUntil,
    Sales,
    Currency,
    Lines,
    Subtotal,
    Tax,
    Total,
    State,
    Sent,
    Count
  };

  explicit WorkspaceRegisterModel(QObject* parent = nullptr);

  // The lives of the quotations, before SetRows: a quotation without one is a Draft.
  void SetLives(const std::vector<store::life::LifeSummary>& lives);
  void SetRows(std::vector<store::RegisterRow> rows);
  const store::RegisterRow& RowAt(int row) const { return rows_[static_cast<std::size_t>(row)].stored; }
  // The row of a quotation; -1 when the register does not show it.
  int Find(const std::string& custNo, const std::string& number) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Row {
    store::RegisterRow stored;
    QString cells[Count];
  };
  static Row Make(store::RegisterRow stored, int decimals);
  void FillLife(Row& row, std::chrono::year_month_day today) const;
  static QVariant SortKey(const Row& row, int column);

  std::vector<Row> rows_;
  std::map<std::pair<std::string, std::string>, store::life::LifeSummary> lives_;
};
