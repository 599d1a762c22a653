#include "windows/QuotationLifePanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "documents/IssuedPdf.h"
#include "store/life/StateCaption.h"
#include "ui/app/Guard.h"
#include "windows/LifeHistoryDialog.h"
#include "windows/RevisionCompareDialog.h"

using store::life::QuotationState;

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QuotationLifePanel::QuotationLifePanel(QWidget* parent, store::Connection& connection, Hooks hooks)
    : QFrame(parent), life_(connection), hooks_(std::move(hooks)) {
  setObjectName("QuotationLife");
  LifeState = new QLabel(this);
  LifeState->setObjectName("LifeState");
  LifeMessage = new QLabel(this);
  LifeMessage->setObjectName("LifeMessage");
  EdtDeclineReason = new QLineEdit(this);
  EdtDeclineReason->setObjectName("EdtDeclineReason");
  EdtDeclineReason->setPlaceholderText("婉拒原因");
  EdtDeclineReason->setAccessibleName("婉拒原因");
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button :
       {BtnIssue = AddButton("BtnIssue", "發出", &QuotationLifePanel::Issue),
       BtnAccept = AddButton("BtnAccept", "接受", &QuotationLifePanel::Accept),
       BtnDecline = AddButton("BtnDecline", "婉拒", &QuotationLifePanel::Decline),
       BtnCancelQuotation = AddButton("BtnCancelQuotation", "作廢", &QuotationLifePanel::CancelQuotation),
       BtnUndoState = AddButton("BtnUndoState", "復原為已發出", &QuotationLifePanel::Undo),
       BtnCopy = AddButton("BtnCopy", "複製", &QuotationLifePanel::Copy),
       BtnHistory = AddButton("BtnHistory", "歷程", &QuotationLifePanel::ShowHistory),
       BtnCompare = AddButton("BtnCompare", "比較版本", &QuotationLifePanel::Compare),
       BtnEmail = AddButton("BtnEmail", "E-mail", &QuotationLifePanel::Email)})
    buttons->addWidget(button);
  auto* layout = new QGridLayout(this);
  layout->addWidget(LifeState, 0, 0);
  layout->addWidget(EdtDeclineReason, 0, 1);
  layout->addLayout(buttons, 1, 0, 1, 2);
  layout->addWidget(LifeMessage, 2, 0, 1, 2);
  Refresh();
}

QPushButton* QuotationLifePanel::AddButton(const char* name, const QString& text,
                                           void (QuotationLifePanel::*handler)()) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(name);
  connect(button, &QPushButton::clicked, this, [this, handler] {
    ui::Guard([this, handler] { (this->*handler)(); });
    // Whatever happened, the panel shows what is stored now.
    ui::Guard([this] { Refresh(); });
  });
  return button;
}

void QuotationLifePanel::ShowQuotation(const std::optional<store::life::QuotationKey>& key) {
  key_ = key;
  LifeMessage->clear();
  Refresh();
}

void QuotationLifePanel::Refresh() {
  validUntil_.clear();
  record_ = {};
  if (key_) {
    record_ = life_.Record(*key_);
    validUntil_ = life_.Current(*key_).HeaderValue("availability_date").value_or("");
  }
  const QuotationState shown = store::life::ShownState(record_.state, validUntil_, store::life::LocalToday());
  LifeState->setText(key_ ? "狀態：" + Q(store::life::StateCaption(shown)) + "　版本：" + PrintedNumber()
                          : QString());
  const bool issued = record_.state == QuotationState::Issued;
  BtnIssue->setEnabled(key_ && record_.state == QuotationState::Draft);
  BtnAccept->setEnabled(key_ && issued);
  BtnDecline->setEnabled(key_ && issued);
  EdtDeclineReason->setEnabled(key_ && issued);
  BtnCancelQuotation->setEnabled(key_ && issued);
  BtnUndoState->setEnabled(
      key_ && (record_.state == QuotationState::Accepted || record_.state == QuotationState::Declined));
  for (QPushButton* button : {BtnCopy, BtnHistory, BtnCompare, BtnEmail})
    button->setEnabled(key_.has_value());
}

QString QuotationLifePanel::PrintedNumber() const {
  return key_ ? QString::fromStdString(store::life::RevisionNumber(key_->number, record_.revision))
              : QString();
}

void QuotationLifePanel::Say(const QString& text) { LifeMessage->setText(text); }

std::optional<store::life::IssuedCopy> QuotationLifePanel::IssueNow() {
  const std::optional<documents::QuotationDocument> document = hooks_.document(PrintedNumber().toStdString());
  if (!document) return std::nullopt;
  store::life::IssuedCopy copy = life_.Issue(record_, documents::IssuedPdf::Make(*document));
  Say("已發出 " + QString::fromStdString(copy.number) + "，發出的內容已保存，不會再改變。");
  emit LifeChanged();
  return copy;
}

void QuotationLifePanel::Issue() { IssueNow(); }

std::optional<store::life::IssuedCopy> QuotationLifePanel::IssuedForOutput() {
  if (!key_) return std::nullopt;
  Refresh();
  // Putting a draft out is issuing it: what leaves the program is kept.
  if (record_.state == QuotationState::Draft) {
    std::optional<store::life::IssuedCopy> copy = IssueNow();
    Refresh();
    return copy;
  }
  std::vector<store::life::IssuedCopy> copies = life_.IssuedCopies(*key_);
  if (copies.empty()) return std::nullopt;
  return copies.back();
}
