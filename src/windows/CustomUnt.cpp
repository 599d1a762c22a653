#include "windows/CustomUnt.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDate>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <utility>

#include "store/CustomerNumber.h"
#include "store/DateFormat.h"
#include "ui/app/Prompts.h"
#include "ui/app/RecordToolBar.h"
#include "ui/app/TrimControl.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"
#include "ui/data/DataSource.h"
#include "ui/data/PendingRow.h"
#include "ui/menu/TMenu.h"
#include "windows/CustFrmEditPanel.h"
#include "windows/CustFrmSearchPanel.h"

QPointer<TCustFrm> CustFrm;

namespace {

const char* const kWholeTable = "select * from customer";
// The search text is bound, never spliced: a quote is searched as a quote,
// while % and _ keep their pattern meaning.
const char* const kByNumber = "select * from customer where cust_no like '%' || :T || '%'";
const char* const kByAddress = "select * from customer where incaddr like '%' || :T || '%'";

// Today in the user's short date format.
QString Today() {
  const std::string iso = QDate::currentDate().toString(Qt::ISODate).toStdString();
  return QString::fromStdString(store::DateFormat::Current().ToDisplay(iso));
}

}  // namespace

TCustFrm::TCustFrm(QWidget* parent) : ui::DataWindow(parent, OnClose::Free), ui::Form(this) {
  // Before any control exists, so that a missing database leaves nothing behind.
  OpenData();
  setObjectName("CustFrm");
  setWindowTitle(QStringLiteral("客戶基本資料維護"));
  DataSource1->setObjectName("DataSource1");
  BuildLayout();
  BuildMenus();
  ConnectToolBar();
  ConnectSearch();
  // Typing works at once: the first box in tab order takes it when the window shows.
  Panel1->edtname->setFocus();
  resize(550, 450);
  CustFrm = this;
}

void TCustFrm::OpenData() {
  ADOConnection1.SetConnectionString(store::kReadWriteConnectionString);
  ADOConnection1.Open();
  ADOQuery1.SQL().Add(kWholeTable);
  ADOQuery1.Open();
}

void TCustFrm::BtnNewClick() {
  if (!SettlePending()) return;
  const std::string number = AllocateNumber();
  ADOQuery1.Append();
  newNumber_ = QString::fromStdString(number);
  newDate_ = Today();
  Panel2->DBEdit1->SetText(newNumber_);
  Panel2->SetEntryBoxesEnabled(true);
  Panel2->DBEdit2->setFocus();
  ShowNewRowValues();
  EnableUndoSave();
  AddFlag = 1;
}

// The whole table again, standing on its last row; the number follows the
// highest serial the table holds.
std::string TCustFrm::AllocateNumber() {
  Requery(kWholeTable, std::nullopt);
  ADOQuery1.Last();
  return store::NextCustNoInTable(ADOConnection1);
}

// Boxes that already show the new row's empty values write nothing here.
void TCustFrm::ShowNewRowValues() {
  for (ui::DBEdit* box : {Panel2->DBEdit2, Panel2->DBEdit3, Panel2->DBEdit4, Panel2->DBEdit5, Panel2->DBEdit6,
                          Panel2->DBEdit7, Panel2->DBEdit8, Panel2->DBEdit9})
    box->SetText(QString());
  Panel2->DBEdit10->SetText(newDate_);
  Panel2->DBEdit11->SetText(QString());
}

void TCustFrm::BtnEditClick() {
  ADOQuery1.Edit();
  Panel2->SetEntryBoxesEnabled(true);
  Panel2->DBEdit2->setFocus();
  EnableUndoSave();
}

void TCustFrm::BtnDelClick() {
  if (ui::Prompts::Confirm(this, QStringLiteral("您確定要刪除這筆記錄嗎？"))) ADOQuery1.Delete();
}

void TCustFrm::BtnUndoClick() {
  ADOQuery1.Cancel();
  Panel2->SetEntryBoxesEnabled(false);
}

void TCustFrm::BtnSaveClick() {
  const bool adding = AddFlag == 1;
  const QString question =
      adding ? QStringLiteral("您確定要保存這筆記錄嗎？") : QStringLiteral("您確定要修改這筆記錄嗎？");
  if (ui::Prompts::Confirm(this, question)) {
    // A refused row throws here: it stays pending with the boxes and AddFlag as
    // they were, and no success is announced.
    ADOQuery1.Post();
    ui::Prompts::Notice(this, adding ? QStringLiteral("保存成功") : QStringLiteral("修改成功"));
  }
  if (adding) AddFlag = 0;
  Panel2->SetEntryBoxesEnabled(false);
}

void TCustFrm::BtnTopClick() { ADOQuery1.First(); }

void TCustFrm::BtnBackClick() { ADOQuery1.Prior(); }

void TCustFrm::BtnNextClick() { ADOQuery1.Next(); }

void TCustFrm::BtnEndClick() { ADOQuery1.Last(); }

void TCustFrm::BtnExitClick() { CloseWindow(); }

void TCustFrm::BtnFindClick() {
  if (!SettlePending()) return;
  const QString name = Panel1->edtname->text();
  const QString address = Panel1->Edtaddress->text();
  if (!name.isEmpty())
    Requery(kByNumber, ui::TrimControl(name));
  else if (!address.isEmpty())
    Requery(kByAddress, ui::TrimControl(address));
  else
    Requery(kWholeTable, std::nullopt);
}

void TCustFrm::BtnCancelClick() {
  Panel1->edtname->setText(QString());
  Panel1->Edtaddress->setText(QString());
}

void TCustFrm::edtnameChange() {
  Panel1->BtnFind->setEnabled(true);
  Panel1->BtnCancel->setEnabled(true);
}

void TCustFrm::contextMenuEvent(QContextMenuEvent* event) {
  PopupMenu1->Popup(event->globalPos());
  event->accept();
}

bool TCustFrm::SettlePending() {
  if (HoldsOnlyNewValues()) {
    ADOQuery1.Cancel();
    return true;
  }
  return ui::ResolvePendingRows(this, {&ADOQuery1});
}

// The number and date that New put in are not the user's: a new row that holds
// nothing else is untouched and may go without a question.
bool TCustFrm::HoldsOnlyNewValues() const {
  if (ADOQuery1.State() != store::DataSetState::Insert) return false;
  if (Panel2->DBEdit1->text() != newNumber_ || Panel2->DBEdit10->text() != newDate_) return false;
  for (ui::DBEdit* box : {Panel2->DBEdit2, Panel2->DBEdit3, Panel2->DBEdit4, Panel2->DBEdit5, Panel2->DBEdit6,
                          Panel2->DBEdit7, Panel2->DBEdit8, Panel2->DBEdit9, Panel2->DBEdit11})
    if (!box->text().isEmpty()) return false;
  return Panel2->DBComboBox1->Text().isEmpty();
}

void TCustFrm::EnableUndoSave() {
  ToolBar1->Action(ui::RecordToolBar::Undo)->setEnabled(true);
  ToolBar1->Action(ui::RecordToolBar::Save)->setEnabled(true);
}

void TCustFrm::Requery(const std::string& sql, const std::optional<QString>& text) {
  ADOQuery1.Close();
  ADOQuery1.SQL().Clear();
  ADOQuery1.Params().Clear();
  ADOQuery1.SQL().Add(sql);
  if (text) ADOQuery1.Params().Set("T", text->toStdString());
  ADOQuery1.Open();
}
