#include "windows/QuotationUnt.h"

#include <QAction>
#include <QLineEdit>

#include "store/StoreError.h"
#include "store/Transaction.h"
#include "ui/app/FrameOnScreen.h"
#include "ui/app/Prompts.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"
#include "ui/data/PendingRow.h"
#include "windows/CustomFindUnt.h"
#include "windows/QuotationOutput.h"
#include "windows/QuotationSql.h"

QPointer<TQuotation> Quotation;

TQuotation::TQuotation(QWidget* parent) : ui::DataWindow(parent, OnClose::Free) {
  setObjectName("Quotation");
  setWindowTitle("報價基本資料維護");
  DataSource3.setObjectName("DataSource3");
  DataSourceMaster.setObjectName("DataSourceMaster");
  DataSourceDitale.setObjectName("DataSourceDitale");
  // The data opens before any control exists, so a failure leaves nothing bound.
  ADOConnection1.SetConnectionString(store::kReadWriteConnectionString);
  ADOConnection1.Open();
  ADODataSetMaster.SetCommandType(store::CommandType::Text);
  ADODataSetMaster.SetCommandText(quotation::kInitialHeaderStatement);
  lineFollower_.SetMaster(&ADODataSetMaster);
  lineFollower_.SetMasterFields(quotation::kLinkFields);
  lineFollower_.SetCommandText(quotation::kNoLineStatement);
  lineFollower_.Open();
  // The customers open last: a set opened after them would first read all of them.
  ADOQuery1.SQL().Add(quotation::kCustomerStatement);
  ADOQuery1.Open();
  BuildPages();
  ConnectHandlers();
  BindKeys();
  NameFields();
  Watch(ADODataSetMaster, [this](store::RecordSetEvent event) {
    if (event == store::RecordSetEvent::Opened || event == store::RecordSetEvent::Closed) EnableHeaderMoves();
  });
  EnableHeaderMoves();
  ShowPage(QuotationInput);  // the keys work as soon as the window opens
  resize(550, 450);
}

void TQuotation::BtnExitClick() { CloseWindow(); }

void TQuotation::BtnCustNoFindClick() {
  auto* window = new TCustmoterFindFrm(this);
  CustmoterFindFrm = window;
  window->show();
  ui::KeepOnScreen(window);
  window->raise();
  window->activateWindow();
}

void TQuotation::BtnNewClick() {
  EnableEntry(true);
  if (!ADODataSetMaster.Active()) ADODataSetMaster.Open();
  ADODataSetMaster.Append();
  EnableUndoSave();
  AddFlag = 1;
}

void TQuotation::BtnSaveClick() {
  // The notice follows a post that succeeded; a refused post stops here with
  // the header pending and the fields and AddFlag as they were.
  if (AddFlag == 1) {
    if (ui::Prompts::Confirm(this, "您確定要保存這筆記錄嗎？")) {
      ADODataSetMaster.Post();
      ui::Prompts::Notice(this, "保存成功");
    }
    AddFlag = 0;
  } else if (ui::Prompts::Confirm(this, "您確定要修改這筆記錄嗎？")) {
    ADODataSetMaster.Post();
    ui::Prompts::Notice(this, "修改成功");
  }
  DBEdit2->setEnabled(false);  // New never unlocks it again
  EnableEntry(false);
}

void TQuotation::BtnFindClick() {
  if (!ui::ResolvePendingRows(this, {&ADODataSetDilate, &ADODataSetMaster})) return;
  const QString custNo = EdtCustNo->text();
  ADODataSetMaster.Close();
  ADODataSetMaster.SetCommandType(store::CommandType::Text);
  quotation::SetHeaderSearch(ADODataSetMaster, custNo, EdtQuotationNumber->text());
  ADODataSetMaster.Open();
  ADODataSetDilate.Close();
  ADODataSetDilate.SetMaster(&ADODataSetMaster);
  ADODataSetDilate.SetMasterFields(quotation::kLinkFields);
  ADODataSetDilate.SetCommandText(quotation::kLineStatement);
  ADODataSetDilate.Open();
}

void TQuotation::DBEdit1Change() {
  // The lookup re-reads the customer set: a name typed into DBEdit2 is settled
  // first, and kept on screen when the user cancels.
  if (!ui::ResolvePendingRows(this, {&ADOQuery1})) return;
  quotation::SetCustomerLookup(ADOQuery1, DBEdit1->text());
  ADOQuery1.Open();
}

void TQuotation::BtnEditClick() {
  ADODataSetMaster.Edit();
  EnableEntry(true);
  EnableUndoSave();
}

// A header never stored goes together with the lines entered under it; the
// record set takes them out of the file.
void TQuotation::BtnUndoClick() {
  if (ADODataSetMaster.Active()) {
    if (!ConfirmDiscardOfEnteredLines()) return;
    ADODataSetMaster.Cancel();
  }
  EnableEntry(false);
}

bool TQuotation::ConfirmDiscardOfEnteredLines() {
  const int lines = ADODataSetDilate.EnteredRowCount();
  return lines == 0 ||
         ui::Prompts::Confirm(
             this,
             QStringLiteral("這張報價單尚未保存，已輸入的 %1 筆明細將一併刪除。確定要復原嗎？").arg(lines));
}

void TQuotation::BtnDelClick() {
  if (ui::Prompts::Confirm(this, "您確定要刪除這筆記錄嗎？")) DeleteHeaderWithLines();
}

void TQuotation::BtnTopClick() { ADODataSetMaster.First(); }

void TQuotation::BtnBackClick() { ADODataSetMaster.Prior(); }

void TQuotation::BtnNextClick() { ADODataSetMaster.Next(); }

void TQuotation::BtnEndClick() { ADODataSetMaster.Last(); }

void TQuotation::BtnPrintClick() { QuotationOutput::Preview(*this); }

void TQuotation::BtnExcelClick() { QuotationOutput::SaveWorkbook(*this); }

void TQuotation::PickCustomer(const QString& custNo) {
  if (DBEdit1->isEnabled() && ADODataSetMaster.Active()) DBEdit1->SetText(custNo);
}

std::vector<QWidget*> TQuotation::EntryControls() const {
  return {DBEdit1,     DBEdit3,     DBEdit4,     DBEdit5,     DBEdit6,    DBEdit7,
          DBComboBox1, DBComboBox2, DBComboBox3, DBComboBox4, DBComboBox5};
}

void TQuotation::EnableEntry(bool enabled) {
  for (QWidget* control : EntryControls()) control->setEnabled(enabled);
}

void TQuotation::EnableUndoSave() {
  BtnUndo->setEnabled(true);
  BtnSave->setEnabled(true);
}

// Moving, editing and deleting need a header set to act on.
void TQuotation::EnableHeaderMoves() {
  for (QAction* action : {BtnTop, BtnBack, BtnNext, BtnEnd, BtnEdit, BtnDel})
    action->setEnabled(ADODataSetMaster.Active());
}

bool TQuotation::SettlePending() {
  // A name typed into DBEdit2 is a change of the customer set, asked about like the rest.
  if (!ui::ResolvePendingRows(this, {&ADODataSetDilate, &ADODataSetMaster, &ADOQuery1})) return false;
  // Customers typed into a lookup window's grid go with this window too.
  for (TCustmoterFindFrm* lookup : findChildren<TCustmoterFindFrm*>(Qt::FindDirectChildrenOnly))
    if (!ui::ResolvePendingRows(lookup, {&lookup->ADOQuery1})) return false;
  return true;
}

void TQuotation::DeleteHeaderWithLines() {
  // While a new header is being added, Delete only drops it; with no header
  // shown (not searched yet, or nothing found) it reports that and no line is read.
  if (ADODataSetMaster.State() == store::DataSetState::Insert || ADODataSetMaster.IsEmpty())
    return ADODataSetMaster.Delete();
  ADODataSetMaster.Cancel();  // the stored numbers name the lines
  const std::string custNo = ADODataSetMaster.FieldByName("Cust_no").AsString();
  const std::string number = ADODataSetMaster.FieldByName("quotation_number").AsString();
  try {
    // The header goes first: its row stays locked until the commit, so a line
    // another program posts under it meanwhile waits and is then refused.
    store::Transaction transaction(ADOConnection1);
    ADODataSetMaster.Delete();
    DeleteLines(custNo, number);
    transaction.Commit();
  } catch (const store::StoreError&) {
    // The lines taken out of the line set are back in the file: read them again.
    if (ADODataSetDilate.Active()) {
      ADODataSetDilate.Close();
      ADODataSetDilate.Open();
    }
    throw;
  }
}

void TQuotation::DeleteLines(const std::string& custNo, const std::string& number) {
  // Only lines that carry the header's numbers, whatever the line set shows.
  if (ADODataSetDilate.Active()) {
    ADODataSetDilate.CheckBrowseMode();
    for (int row = 0; row < ADODataSetDilate.RecordCount();) {
      ADODataSetDilate.MoveTo(row);
      if (ADODataSetDilate.FieldByName("Cust_no").AsString() == custNo &&
          ADODataSetDilate.FieldByName("quotation_number").AsString() == number)
        ADODataSetDilate.Delete();
      else
        ++row;
    }
  }
  // Lines it does not hold: not searched yet, or written through another connection.
  store::CommandRecordSet rest(ADOConnection1, "QuoDilate");
  rest.SetCommandText(
      "select * from QuoDilate where coalesce(Cust_no, '') = :C and coalesce(quotation_number, '') = :Q");
  rest.Params().Set("C", custNo);
  rest.Params().Set("Q", number);
  rest.Open();
  while (!rest.IsEmpty()) rest.Delete();
}
