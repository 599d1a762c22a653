// The quotation life panel's actions on a quotation that exists.
#include <QLineEdit>

#include "documents/IssuedPdf.h"
#include "store/life/StateCaption.h"
#include "ui/app/MailLauncher.h"
#include "ui/app/Prompts.h"
#include "windows/LifeHistoryDialog.h"
#include "windows/QuotationLifePanel.h"
#include "windows/QuotationOutput.h"
#include "windows/RevisionCompareDialog.h"

using store::life::QuotationState;

void QuotationLifePanel::ChangeTo(QuotationState state, const std::string& reason, bool confirmed) {
  const auto result = life_.ChangeState(record_, state, reason, store::life::LocalToday(), confirmed);
  if (result == store::life::StateChangeResult::AskExpired) {
    if (!ui::Prompts::Confirm(this, "報價單 " + PrintedNumber() + " 已過期（有效日期 " +
                                        QString::fromStdString(validUntil_) + "），仍要記為已接受嗎？"))
      return Say("沒有變更。");
    return ChangeTo(state, reason, true);
  }
  const std::string_view caption = store::life::StateCaption(state);
  Say("報價單 " + PrintedNumber() + " 已改為「" + QString::fromUtf8(caption.data(), caption.size()) + "」。");
  emit LifeChanged();
}

void QuotationLifePanel::Accept() { ChangeTo(QuotationState::Accepted, "", false); }

void QuotationLifePanel::Decline() {
  ChangeTo(QuotationState::Declined, EdtDeclineReason->text().toStdString(), false);
  EdtDeclineReason->clear();
}

void QuotationLifePanel::CancelQuotation() {
  if (!ui::Prompts::Confirm(this, "確定要作廢報價單 " + PrintedNumber() + " 嗎？作廢後不能再修改。")) return;
  ChangeTo(QuotationState::Cancelled, "", false);
}

void QuotationLifePanel::Undo() { ChangeTo(QuotationState::Issued, "", false); }

void QuotationLifePanel::Copy() {
  const store::life::QuotationKey to = hooks_.copyKey(*key_);
  life_.Copy(*key_, to, store::life::LocalToday(), hooks_.validDays);
  Say("已複製為新的草稿 " + QString::fromStdString(to.number) + "。");
  emit Copied(to);
}

void QuotationLifePanel::ShowHistory() {
  (new LifeHistoryDialog(this, PrintedNumber(), life_.History(*key_)))->show();
}

void QuotationLifePanel::Compare() {
  std::vector<RevisionCompareDialog::Revision> revisions;
  for (store::life::IssuedCopy& copy : life_.IssuedCopies(*key_))
    revisions.push_back(
        {QString::fromStdString(copy.number) +
             (copy.superseded ? "（" + QString(store::life::kSupersededCaption) + "）" : QString()),
         std::move(copy.snapshot)});
  revisions.push_back({"目前內容", life_.Current(*key_)});
  (new RevisionCompareDialog(this, std::move(revisions)))->show();
}

void QuotationLifePanel::Email() {
  const std::optional<store::life::IssuedCopy> copy = IssuedForOutput();
  if (!copy) return;
  const QString path = QuotationOutput::DefaultPath(copy->number, "pdf");
  documents::IssuedPdf::Save(copy->pdf, path);
  const auto way = ui::MailLauncher::Send({QString::fromStdString(life_.CustomerEmail(key_->customer)),
                                           "報價單 " + QString::fromStdString(copy->number), path});
  Say(way == ui::MailLauncher::Way::Attached
          ? "已開啟郵件程式，附上發出的 " + path + "。"
          : "已開啟 PDF 所在的資料夾和新郵件，請把 " + path + " 拖進郵件。");
}
