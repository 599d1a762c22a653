#include "windows/WorkspaceRegisterModel.h"

#include <QHash>
#include <stdexcept>

#include "documents/QuotationTotals.h"
#include "store/DateFormat.h"
#include "store/life/StateCaption.h"
#include "windows/WorkspaceSettings.h"

namespace {

constexpr const char* kTitles[] = {"報價單號", "客戶編號", "客戶名稱",    "報價日期", "有效日期",
                                   "業務員",   "幣別",     "筆數",        "小計",     "稅額",
                                   "總計",     "狀態",     "客戶持有版本"};

QString Q(const std::string& text) { return QString::fromStdString(text); }

bool Numeric(int column) {
  return column >= WorkspaceRegisterModel::Lines && column <= WorkspaceRegisterModel::Total;
}

}  // namespace

// Dates sort as stored (ISO), figures as numbers.
QVariant WorkspaceRegisterModel::SortKey(const Row& row, int column) {
  if (column == Date) return Q(row.stored.date);
  if (column == ValidUntil) return Q(row.stored.validUntil);
  return Numeric(column) ? QVariant(row.cells[column].toDouble()) : QVariant(row.cells[column]);
}

WorkspaceRegisterModel::WorkspaceRegisterModel(QObject* parent) : QAbstractTableModel(parent) {}

WorkspaceRegisterModel::Row WorkspaceRegisterModel::Make(store::RegisterRow stored, int decimals) {
  Row row{std::move(stored), {}};
  const store::RegisterRow& r = row.stored;
  const store::DateFormat& dates = store::DateFormat::Current();
  QString* c = row.cells;
  c[Number] = Q(r.number), c[CustNo] = Q(r.custNo), c[CustName] = Q(r.custName);
  c[Date] = Q(dates.ToDisplay(r.date)), c[ValidUntil] = Q(dates.ToDisplay(r.validUntil));
  c[Sales] = Q(r.sales), c[Currency] = Q(r.currency), c[Lines] = QString::number(r.lineCount);
  try {
    const documents::QuotationTotals totals({r.subtotal}, r.taxType, r.taxRate, decimals);
    c[Subtotal] = Q(totals.Subtotal()), c[Tax] = Q(totals.Tax()), c[Total] = Q(totals.Total());
  } catch (const std::range_error&) {
    c[Subtotal] = c[Tax] = c[Total] = QStringLiteral("—");
  }
  return row;
}

void WorkspaceRegisterModel::SetLives(const std::vector<store::life::LifeSummary>& lives) {
  lives_.clear();
  for (const store::life::LifeSummary& life : lives) lives_[{life.key.customer, life.key.number}] = life;
}

void WorkspaceRegisterModel::FillLife(Row& row, std::chrono::year_month_day today) const {
  const auto found = lives_.find({row.stored.custNo, row.stored.number});
  static const store::life::LifeSummary kDraft;  // a quotation without a life
  const store::life::LifeSummary& life = found == lives_.end() ? kDraft : found->second;
  const std::string_view state =
      store::life::StateCaption(store::life::ShownState(life.state, row.stored.validUntil, today));
  row.cells[State] = QString::fromUtf8(state.data(), static_cast<qsizetype>(state.size()));
  row.cells[Sent] = Q(life.sent);
}

void WorkspaceRegisterModel::SetRows(std::vector<store::RegisterRow> rows) {
  beginResetModel();
  rows_.clear();
  rows_.reserve(rows.size());
  // The settings file is read once per currency, not once per row.
  QHash<QString, int> decimals;
  const std::chrono::year_month_day today = store::life::LocalToday();
  for (store::RegisterRow& row : rows) {
    const QString currency = Q(row.currency);
    auto known = decimals.find(currency);
    if (known == decimals.end()) known = decimals.insert(currency, WorkspaceSettings::Decimals(currency));
    rows_.push_back(Make(std::move(row), *known));
    FillLife(rows_.back(), today);
  }
  endResetModel();
}

int WorkspaceRegisterModel::Find(const std::string& custNo, const std::string& number) const {
  for (std::size_t r = 0; r < rows_.size(); ++r)
    if (rows_[r].stored.custNo == custNo && rows_[r].stored.number == number) return static_cast<int>(r);
  return -1;
}

int WorkspaceRegisterModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int WorkspaceRegisterModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Count;
}

QVariant WorkspaceRegisterModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Row& row = rows_[static_cast<std::size_t>(index.row())];
  const QString& text = row.cells[index.column()];
  if (role == Qt::DisplayRole) return text;
  if (role == Qt::UserRole) return SortKey(row, index.column());
  if (role == Qt::TextAlignmentRole && Numeric(index.column()))
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant WorkspaceRegisterModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < Count)
    return QString::fromUtf8(kTitles[section]);
  return QAbstractTableModel::headerData(section, orientation, role);
}
