// The workspace's part in a quotation's life: the life panel under the
// header, the register's state filter, and the life's records written in the
// transaction of every save and removal.
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QSortFilterProxyModel>

#include "documents/IssuedPdf.h"
#include "store/QuotationNumbers.h"
#include "store/QuotationRecord.h"
#include "store/life/StateCaption.h"
#include "ui/app/Guard.h"
#include "windows/QuotationLifePanel.h"
#include "windows/WorkspaceRegisterModel.h"
#include "windows/WorkspaceSettings.h"
#include "windows/WorkspaceUnt.h"

using store::life::QuotationKey;
using store::life::QuotationState;

void TQuotationWorkspace::BuildLife(QWidget* pane) {
  StateFilter = new QComboBox(pane);
  StateFilter->setObjectName(QStringLiteral("StateFilter"));
  StateFilter->setAccessibleName(QStringLiteral("狀態"));
  StateFilter->addItem(QStringLiteral("全部狀態"));
  for (QuotationState state :
       {QuotationState::Draft, QuotationState::Issued, QuotationState::Expired, QuotationState::Accepted,
        QuotationState::Declined, QuotationState::Cancelled}) {
    const std::string_view caption = store::life::StateCaption(state);
    StateFilter->addItem(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  }
  QuotationLifePanel::Hooks hooks;
  hooks.document = [this](const std::string& number) {
    std::optional<documents::QuotationDocument> document = Document();
    if (document) documents::IssuedPdf::PrintAs(*document, number);
    return document;
  };
  hooks.copyKey = [this](const QuotationKey& from) {
    return QuotationKey{from.customer, store::QuotationNumbers(connection_)
                                           .Next(WorkspaceSettings::NumberPattern().toStdString(),
                                                 QDate::currentDate().toString(Qt::ISODate).toStdString())};
  };
  hooks.validDays = WorkspaceSettings::ValidDays();
  LifePanel = new QuotationLifePanel(pane, connection_, hooks);
}

void TQuotationWorkspace::ConnectLife() {
  RegisterSort->setFilterKeyColumn(WorkspaceRegisterModel::State);
  connect(StateFilter, &QComboBox::currentIndexChanged, this, [this] { FilterStates(); });
  connect(LifePanel, &QuotationLifePanel::LifeChanged, this, ui::Guarded([this] { RunSearch(); }));
  connect(LifePanel, &QuotationLifePanel::Copied, this,
          [this](const QuotationKey& key) { ui::Guard([&] { ShowCopy(key); }); });
  record_.SetWatchers({
      [this](const store::QuotationDraft& draft) {
        const store::life::LifeRecord asRead =
            record_.Stored() ? LifePanel->Record() : LifePanel->Life().Record({draft.custNo, draft.number});
        lifeSave_.emplace(LifePanel->Life(), asRead);
      },
      [this](const store::QuotationDraft& draft) {
        lifeSave_->Finish({draft.custNo, draft.number});
        lifeSave_.reset();
      },
      [this] { LifePanel->Life().Delete(LifePanel->Record()); },
  });
}

void TQuotationWorkspace::FilterStates() {
  const QString state = StateFilter->currentIndex() > 0 ? StateFilter->currentText() : QString();
  RegisterSort->setFilterFixedString(state);
  RegisterCount->setText(QStringLiteral("共 %1 筆報價單").arg(RegisterSort->rowCount()));
}

void TQuotationWorkspace::ShowCopy(const QuotationKey& key) {
  RunSearch();
  if (!AskToSettle()) return;
  if (record_.Load(key.customer, key.number)) Show(record_.Loaded());
  SelectInRegister(key.customer, key.number);
  Say(QStringLiteral("已複製為新的草稿 %1：日期為今天，有效日期重新計算。")
          .arg(QString::fromStdString(key.number)));
}

std::optional<documents::QuotationDocument> TQuotationWorkspace::IssuedDocument() {
  std::optional<documents::QuotationDocument> document = Document();
  if (!document) return std::nullopt;
  const std::optional<store::life::IssuedCopy> issued = LifePanel->IssuedForOutput();
  if (!issued) return std::nullopt;
  documents::IssuedPdf::PrintAs(*document, issued->number);
  return document;
}
