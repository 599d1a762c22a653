#include "windows/LifeHistoryDialog.h"

#include <QDateTime>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "windows/LifeCaptions.h"

namespace {

QString LocalTime(const std::string& utc) {
  QDateTime at = QDateTime::fromString(QString::fromStdString(utc), Qt::ISODate);
  return at.isValid() ? at.toLocalTime().toString("yyyy-MM-dd HH:mm:ss") : QString::fromStdString(utc);
}

}  // namespace

LifeHistoryDialog::LifeHistoryDialog(QWidget* parent, const QString& number,
                                     const std::vector<store::life::HistoryEntry>& entries)
    : QDialog(parent) {
  setObjectName("QuotationHistory");
  setWindowTitle("報價單 " + number + " 的歷程");
  setAttribute(Qt::WA_DeleteOnClose);
  HistoryGrid = new QTableWidget(static_cast<int>(entries.size()), 7, this);
  HistoryGrid->setObjectName("HistoryGrid");
  HistoryGrid->setHorizontalHeaderLabels({"時間", "使用者", "變更", "序號", "欄位", "原值", "新值"});
  HistoryGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  HistoryGrid->verticalHeader()->hide();
  for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
    const store::life::HistoryEntry& entry = entries[row];
    const QString cells[] = {LocalTime(entry.at),
                             QString::fromStdString(entry.by),
                             LifeCaptions::What(entry.what),
                             QString::fromStdString(entry.line),
                             entry.field.empty() ? QString() : LifeCaptions::Field(entry.field),
                             LifeCaptions::Value(entry.field, entry.before),
                             LifeCaptions::Value(entry.field, entry.after)};
    for (int column = 0; column < 7; ++column)
      HistoryGrid->setItem(row, column, new QTableWidgetItem(cells[column]));
  }
  HistoryGrid->resizeColumnsToContents();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(HistoryGrid);
  resize(760, 420);
}
