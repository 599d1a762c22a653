#pragma once

#include <QFrame>
#include <functional>
#include <optional>

#include "documents/QuotationDocument.h"
#include "store/life/QuotationLife.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace store {
class Connection;
}

// The life of the quotation selected in the workspace: its state and
// revision, and the actions on it (issue, accept, decline with a reason,
// cancel, undo, copy, history, comparison of revisions, e-mail). It says what
// it did in its own line, never in a notice box.
class QuotationLifePanel : public QFrame {
  Q_OBJECT
 public:
  struct Hooks {
    // The quotation as stored, as a document printed under `number` (its
    // revision's); none when it cannot be put out now (the hook has said why).
    std::function<std::optional<documents::QuotationDocument>(const std::string& number)> document;
    // The key a copy of a quotation gets: the customer and the next number.
    std::function<store::life::QuotationKey(const store::life::QuotationKey& from)> copyKey;
    int validDays = 30;
  };
  QuotationLifePanel(QWidget* parent, store::Connection& connection, Hooks hooks);

  // The quotation to show; none disables the actions.
  void ShowQuotation(const std::optional<store::life::QuotationKey>& key);
  const store::life::LifeRecord& Record() const { return record_; }
  store::life::QuotationLife& Life() { return life_; }
  // What Print, PDF, Excel and E-mail put out: the current revision's issued
  // copy, a Draft being issued by it; none when it cannot be issued now.
  std::optional<store::life::IssuedCopy> IssuedForOutput();

  QLabel* LifeState = nullptr;
  QLabel* LifeMessage = nullptr;
  QLineEdit* EdtDeclineReason = nullptr;
  QPushButton* BtnIssue = nullptr;
  QPushButton* BtnAccept = nullptr;
  QPushButton* BtnDecline = nullptr;
  QPushButton* BtnCancelQuotation = nullptr;
  QPushButton* BtnUndoState = nullptr;
  QPushButton* BtnCopy = nullptr;
  QPushButton* BtnHistory = nullptr;
  QPushButton* BtnCompare = nullptr;
  QPushButton* BtnEmail = nullptr;

 signals:
  // The quotation's state or revision changed: the register reads it again.
  void LifeChanged();
  // A copy was made; the workspace selects it.
  void Copied(const store::life::QuotationKey& key);

 private:
  QPushButton* AddButton(const char* name, const QString& text, void (QuotationLifePanel::*handler)());
  void Issue();
  std::optional<store::life::IssuedCopy> IssueNow();
  void Accept();
  void Decline();
  void CancelQuotation();
  void Undo();
  void Copy();
  void ShowHistory();
  void Compare();
  void Email();
  void ChangeTo(store::life::QuotationState state, const std::string& reason, bool confirmed);
  void Refresh();
  void Say(const QString& text);
  QString PrintedNumber() const;

  store::life::QuotationLife life_;
  Hooks hooks_;
  std::optional<store::life::QuotationKey> key_;
  store::life::LifeRecord record_;
  std::string validUntil_;
};
