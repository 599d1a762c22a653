#include "windows/WorkspaceHeaderPanel.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>

#include "windows/QuotationColumns.h"

namespace {

std::string S(const QString& text) { return text.trimmed().toStdString(); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

QGridLayout* Grid(QWidget* panel) { return static_cast<QGridLayout*>(panel->layout()); }

void SetText(QComboBox* list, const std::string& text) { list->setEditText(Q(text)); }

}  // namespace

WorkspaceHeaderPanel::WorkspaceHeaderPanel(QWidget* parent)
    : QWidget(parent), choices_(new QStringListModel(this)), completer_(new QCompleter(choices_, this)) {
  setObjectName(QStringLiteral("HeaderPanel"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 4, 4, 4);
  AddCustomerRow();
  NumberBox = AddBox("NumberBox", "報價單號(&N)", 1, 0);
  SalesBox = AddList("SalesBox", "業務員", quotation::SalesItems(), 1, 2);
  DateBox = AddBox("DateBox", "報價日期", 2, 0);
  ValidUntilBox = AddBox("ValidUntilBox", "有效日期", 2, 2);
  PayModeBox = AddList("PayModeBox", "付款方式", quotation::PayModeItems(), 3, 0);
  PayConditionBox = AddList("PayConditionBox", "付款條件", quotation::PayConditionItems(), 3, 2);
  ConsignModeBox = AddList("ConsignModeBox", "交貨方式", quotation::ConsignModeItems(), 4, 0);
  CurrencyBox = AddList("CurrencyBox", "幣別", quotation::MoneyTypeItems(), 4, 2);
  TaxTypeBox = AddList("TaxTypeBox", "稅別", {"應稅", "含稅", "免稅", "零稅"}, 5, 0);
  TaxRateBox = AddBox("TaxRateBox", "稅率", 5, 2);
  TaxRateBox->setToolTip(QStringLiteral("以小數表示：0.05 即 5%"));
}

void WorkspaceHeaderPanel::AddCustomerRow() {
  CustomerBox = AddBox("CustomerBox", "客戶(&C)", 0, 0);
  CustomerBox->setPlaceholderText(QStringLiteral("輸入客戶編號或名稱的任一部分"));
  completer_->setObjectName(QStringLiteral("CustomerCompleter"));
  completer_->setFilterMode(Qt::MatchContains);
  completer_->setCaseSensitivity(Qt::CaseInsensitive);
  completer_->setCompletionMode(QCompleter::PopupCompletion);
  CustomerBox->setCompleter(completer_);
  // Once the box has taken the whole entry (after this signal): keep only its number.
  connect(
      completer_, qOverload<const QString&>(&QCompleter::activated), this,
      [this](const QString& entry) { ChooseCustomer(entry.section(' ', 0, 0)); }, Qt::QueuedConnection);
  connect(CustomerBox, &QLineEdit::editingFinished, this, &WorkspaceHeaderPanel::CustomerTyped);
  CustomerName = new QLabel(this);
  CustomerName->setObjectName(QStringLiteral("CustomerName"));
  Grid(this)->addWidget(CustomerName, 0, 2, 1, 2);
}

QLineEdit* WorkspaceHeaderPanel::AddBox(const char* name, const char* label, int row, int column) {
  auto* box = new QLineEdit(this);
  box->setObjectName(QString::fromLatin1(name));
  auto* caption = new QLabel(QString::fromUtf8(label), this);
  caption->setBuddy(box);
  Grid(this)->addWidget(caption, row, column);
  Grid(this)->addWidget(box, row, column + 1);
  connect(box, &QLineEdit::textEdited, this, &WorkspaceHeaderPanel::Changed);
  return box;
}

QComboBox* WorkspaceHeaderPanel::AddList(const char* name, const char* label, const QStringList& items,
                                         int row, int column) {
  auto* list = new QComboBox(this);
  list->setObjectName(QString::fromLatin1(name));
  list->setEditable(true);
  list->addItems(items);
  list->setEditText(QString());
  auto* caption = new QLabel(QString::fromUtf8(label), this);
  caption->setBuddy(list);
  Grid(this)->addWidget(caption, row, column);
  Grid(this)->addWidget(list, row, column + 1);
  connect(list, &QComboBox::editTextChanged, this, &WorkspaceHeaderPanel::Changed);
  return list;
}

void WorkspaceHeaderPanel::SetCustomers(std::vector<WorkspaceCustomer> customers) {
  customers_ = std::move(customers);
  QStringList entries;
  for (const WorkspaceCustomer& c : customers_) entries << c.number + ' ' + c.name + ' ' + c.fullName;
  choices_->setStringList(entries);
}

const WorkspaceCustomer* WorkspaceHeaderPanel::Customer(const QString& number) const {
  for (const WorkspaceCustomer& c : customers_)
    if (c.number == number) return &c;
  return nullptr;
}

void WorkspaceHeaderPanel::ChooseCustomer(const QString& number) {
  CustomerBox->setText(number);
  ShowName();
  const WorkspaceCustomer* customer = Customer(number);
  if (customer && SalesBox->currentText().trimmed().isEmpty()) SalesBox->setEditText(customer->sales);
  emit Changed();
}

// A typed text that names one customer only (by number, or by a part of one
// name) is taken as that customer.
void WorkspaceHeaderPanel::CustomerTyped() {
  const QString typed = CustomerBox->text().trimmed();
  if (typed.isEmpty() || Customer(typed)) return ShowName();
  const WorkspaceCustomer* only = nullptr;
  for (const WorkspaceCustomer& c : customers_) {
    if (!(c.number + ' ' + c.name + ' ' + c.fullName).contains(typed, Qt::CaseInsensitive)) continue;
    if (only) return ShowName();
    only = &c;
  }
  if (only)
    ChooseCustomer(only->number);
  else
    ShowName();
}

void WorkspaceHeaderPanel::ShowName() {
  const WorkspaceCustomer* customer = Customer(CustomerBox->text().trimmed());
  CustomerName->setText(customer ? customer->name + "　" + customer->fullName
                        : CustomerBox->text().trimmed().isEmpty() ? QString()
                                                                  : QStringLiteral("（沒有這個客戶）"));
}

void WorkspaceHeaderPanel::Read(store::QuotationDraft& draft) const {
  draft.custNo = S(CustomerBox->text()), draft.number = S(NumberBox->text());
  draft.date = S(DateBox->text()), draft.validUntil = S(ValidUntilBox->text());
  draft.sales = S(SalesBox->currentText()), draft.payMode = S(PayModeBox->currentText());
  draft.payCondition = S(PayConditionBox->currentText()),
  draft.consignMode = S(ConsignModeBox->currentText());
  draft.currency = S(CurrencyBox->currentText()), draft.taxType = S(TaxTypeBox->currentText());
  draft.taxRate = S(TaxRateBox->text());
}

void WorkspaceHeaderPanel::Show(const store::QuotationDraft& draft) {
  const QSignalBlocker blocker(this);
  CustomerBox->setText(Q(draft.custNo)), NumberBox->setText(Q(draft.number));
  DateBox->setText(Q(draft.date)), ValidUntilBox->setText(Q(draft.validUntil));
  SetText(SalesBox, draft.sales), SetText(PayModeBox, draft.payMode);
  SetText(PayConditionBox, draft.payCondition), SetText(ConsignModeBox, draft.consignMode);
  SetText(CurrencyBox, draft.currency), SetText(TaxTypeBox, draft.taxType);
  TaxRateBox->setText(Q(draft.taxRate));
  ShowName();
}
