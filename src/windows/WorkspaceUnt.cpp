#include "windows/WorkspaceUnt.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTreeWidget>
#include <stdexcept>

#include "documents/QuotationTotals.h"
#include "store/DateFormat.h"
#include "store/QueryRecordSet.h"
#include "store/QuotationNumbers.h"
#include "store/QuotationRecord.h"
#include "store/QuotationRegister.h"
#include "ui/app/Guard.h"
#include "ui/app/Prompts.h"
#include "windows/QuotationLifePanel.h"
#include "windows/WorkspaceHeaderPanel.h"
#include "windows/WorkspaceLineGrid.h"
#include "windows/WorkspaceRegisterModel.h"
#include "windows/WorkspaceSettings.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string Iso(const QLineEdit* box) {
  const std::string typed = box->text().trimmed().toStdString();
  return typed.empty() ? "" : store::DateFormat::Current().ToIso(typed).value_or("");
}

std::string Display(const QDate& date) {
  return store::DateFormat::Current().ToDisplay(date.toString(Qt::ISODate).toStdString());
}

}  // namespace

TQuotationWorkspace::TQuotationWorkspace(QWidget* parent)
    : ui::DataWindow(parent, OnClose::Free),
      connection_(Own<store::Connection>("WorkspaceConnection")),
      record_(Own<store::QuotationRecord>(connection_)) {
  setObjectName(QStringLiteral("QuotationWorkspace"));
  setWindowTitle(QStringLiteral("報價工作台"));
  connection_.SetConnectionString(store::kReadWriteConnectionString);
  connection_.Open();
  store::QuotationRegister::Prepare(connection_);
  BuildLayout();
  Connect();
  LoadCustomers();
  RunSearch();
  Show({});
}

void TQuotationWorkspace::Connect() {
  for (QLineEdit* box : {SearchBox, DateFrom, DateTo})
    connect(box, &QLineEdit::textChanged, this, ui::Guarded([this] { RunSearch(); }));
  connect(RegisterGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          ui::Guarded([this] { RegisterRowChosen(); }));
  connect(ActNew, &QAction::triggered, this, ui::Guarded([this] { ActNewClick(); }));
  connect(ActSave, &QAction::triggered, this, ui::Guarded([this] { ActSaveClick(); }));
  connect(ActDelete, &QAction::triggered, this, ui::Guarded([this] { ActDeleteClick(); }));
  connect(ActDeleteLine, &QAction::triggered, this, ui::Guarded([this] { ActDeleteLineClick(); }));
  connect(ActPrint, &QAction::triggered, this, ui::Guarded([this] { ActPrintClick(); }));
  connect(ActPdf, &QAction::triggered, this, ui::Guarded([this] { ActPdfClick(); }));
  connect(ActExcel, &QAction::triggered, this, ui::Guarded([this] { ActExcelClick(); }));
  connect(HeaderPanel, &WorkspaceHeaderPanel::Changed, this, [this] { UpdateTotals(); });
  connect(LineGrid, &WorkspaceLineGrid::LinesChanged, this, [this] { UpdateTotals(); });
  connect(LineGrid, &WorkspaceLineGrid::ProductTyped, this,
          [this](int row, const QString& typed) { ui::Guard([&] { RecallPrices(row, typed); }); });
  ConnectPriceMemory();
  ConnectLife();
}

void TQuotationWorkspace::LoadCustomers() {
  store::QueryRecordSet customers(connection_, "CustomerList");
  customers.SQL().Add("select * from customer");
  customers.Open();
  std::vector<WorkspaceCustomer> list;
  for (customers.First(); !customers.Eof(); customers.Next()) {
    auto text = [&](const char* field) { return Q(customers.FieldByName(field).AsString()); };
    list.push_back({text("cust_no"), text("cust_name"), text("all_name"), text("sales")});
  }
  HeaderPanel->SetCustomers(std::move(list));
}

void TQuotationWorkspace::RunSearch() {
  const store::QuotationDraft shown = record_.Loaded();
  store::QuotationRegister registerOf(connection_);
  RegisterModel->SetLives(LifePanel->Life().Summaries());
  RegisterModel->SetRows(registerOf.Find({SearchBox->text().toStdString(), Iso(DateFrom), Iso(DateTo)}));
  RegisterCount->setText(QStringLiteral("共 %1 筆報價單").arg(RegisterSort->rowCount()));
  if (record_.Stored()) SelectInRegister(shown.custNo, shown.number);
}

void TQuotationWorkspace::SelectInRegister(const std::string& custNo, const std::string& number) {
  const int row = RegisterModel->Find(custNo, number);
  choosing_ = true;
  if (row < 0)
    RegisterGrid->selectionModel()->clear();
  else
    RegisterGrid->setCurrentIndex(RegisterSort->mapFromSource(RegisterModel->index(row, 0)));
  choosing_ = false;
}

void TQuotationWorkspace::RegisterRowChosen() {
  const QModelIndex current = RegisterGrid->currentIndex();
  if (choosing_ || !current.isValid()) return;
  const store::RegisterRow chosen = RegisterModel->RowAt(RegisterSort->mapToSource(current).row());
  if (record_.Stored() && chosen.custNo == record_.Loaded().custNo &&
      chosen.number == record_.Loaded().number)
    return;
  const store::QuotationDraft before = record_.Loaded();
  if (!AskToSettle()) return SelectInRegister(before.custNo, before.number);
  if (!record_.Load(chosen.custNo, chosen.number)) {
    Say(QStringLiteral("報價單「%1」已經不在了（也許另一位使用者刪除了它）。").arg(Q(chosen.number)));
    return RunSearch();
  }
  Show(record_.Loaded());
}

store::QuotationDraft TQuotationWorkspace::Draft() const {
  store::QuotationDraft draft;
  HeaderPanel->Read(draft);
  draft.lines = LineGrid->Lines();
  return draft;
}

bool TQuotationWorkspace::Unsaved() const { return Draft() != baseline_; }

void TQuotationWorkspace::Show(const store::QuotationDraft& draft) {
  baseline_ = draft;
  HeaderPanel->Show(draft);
  LineGrid->SetDecimals(WorkspaceSettings::Decimals(Q(draft.currency)));
  LineGrid->SetLines(draft.lines);
  PriceMemoryList->clear();
  priceRow_ = -1;
  LifePanel->ShowQuotation(record_.Stored() ? std::optional<store::life::QuotationKey>({draft.custNo, draft.number})
                                            : std::nullopt);
  UpdateTotals();
  // The lines as shown are the baseline: the grid writes numbers its own way.
  baseline_ = Draft();
}

// Yes saves, No drops the changes, Cancel stays; nothing is asked when nothing would be lost.
bool TQuotationWorkspace::AskToSettle() {
  if (!Unsaved()) return true;
  const QString what = baseline_.number.empty() ? QStringLiteral("這張新報價單")
                                                : QStringLiteral("報價單「%1」").arg(Q(baseline_.number));
  switch (ui::Prompts::AskSaveChanges(this, what + QStringLiteral("有尚未儲存的修改，要先儲存嗎？"))) {
    case ui::Answer::Yes:
      return ui::Guard([this] { ActSaveClick(); });
    case ui::Answer::No:
      return true;
    default:
      return false;
  }
}

bool TQuotationWorkspace::SettlePending() { return AskToSettle(); }

void TQuotationWorkspace::ActNewClick() {
  if (!AskToSettle()) return;
  LoadCustomers();
  record_.Start();
  const QDate today = QDate::currentDate();
  store::QuotationDraft draft;
  draft.number =
      store::QuotationNumbers(connection_)
          .Next(WorkspaceSettings::NumberPattern().toStdString(), today.toString(Qt::ISODate).toStdString());
  draft.date = Display(today);
  draft.validUntil = Display(today.addDays(WorkspaceSettings::ValidDays()));
  Show(draft);
  SelectInRegister("", "");
  HeaderPanel->CustomerBox->setFocus(Qt::OtherFocusReason);
  Say(QStringLiteral("新報價單 %1：輸入客戶編號或名稱，然後輸入明細。").arg(Q(draft.number)));
}

void TQuotationWorkspace::ActSaveClick() {
  const store::QuotationDraft draft = Draft();
  const bool wasNew = !record_.Stored();
  record_.Save(draft);
  Show(record_.Loaded());
  RunSearch();
  Say(QStringLiteral("已%1報價單 %2：%3 筆明細，%4。")
          .arg(wasNew ? QStringLiteral("新增") : QStringLiteral("儲存"), Q(draft.number))
          .arg(draft.lines.size())
          .arg(TotalLabel->text()));
}

void TQuotationWorkspace::ActDeleteClick() {
  if (!record_.Stored()) return Say(QStringLiteral("這張報價單還沒有儲存，沒有可刪除的。"));
  const store::QuotationDraft& gone = record_.Loaded();
  const QString what = QStringLiteral("報價單「%1」（客戶 %2）及其 %3 筆明細")
                           .arg(Q(gone.number), Q(gone.custNo))
                           .arg(gone.lines.size());
  if (!ui::Prompts::Confirm(this, QStringLiteral("確定要刪除%1嗎？").arg(what))) return;
  record_.Remove();
  Show({});
  RunSearch();
  Say(QStringLiteral("已刪除%1。").arg(what));
}

void TQuotationWorkspace::ActDeleteLineClick() {
  const int row = LineGrid->currentRow();
  if (row < 0 || LineGrid->Lines().empty() || row >= static_cast<int>(LineGrid->Lines().size())) return;
  const QString what =
      QStringLiteral("第 %1 行明細「%2」").arg(row + 1).arg(LineGrid->Cell(row, WorkspaceLineGrid::Product));
  if (!ui::Prompts::Confirm(this, QStringLiteral("確定要刪除%1嗎？").arg(what))) return;
  LineGrid->RemoveLine(row);
  Say(QStringLiteral("已刪除%1（儲存後生效）。").arg(what));
}

void TQuotationWorkspace::UpdateTotals() {
  store::QuotationDraft draft;
  HeaderPanel->Read(draft);
  const int decimals = WorkspaceSettings::Decimals(Q(draft.currency));
  LineGrid->SetDecimals(decimals);
  std::vector<std::string> totals;
  for (const store::DraftLine& line : LineGrid->Lines()) totals.push_back(line.total);
  try {
    const documents::QuotationTotals sums(totals, draft.taxType, draft.taxRate, decimals);
    SubtotalLabel->setText(QStringLiteral("小計 %1").arg(Q(sums.Subtotal())));
    TaxLabel->setText(QStringLiteral("稅額 %1").arg(Q(sums.Tax())));
    TotalLabel->setText(QStringLiteral("總計 %1").arg(Q(sums.Total())));
  } catch (const std::range_error& e) {
    SubtotalLabel->setText(QString::fromUtf8(e.what()));
    TaxLabel->clear();
    TotalLabel->clear();
  }
}

void TQuotationWorkspace::Say(const QString& text) { StatusLabel->setText(text); }
