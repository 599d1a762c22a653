// The quotation window worked from the keyboard: a shortcut for every command,
// the two pages on Alt+1 and Alt+2, and captions tied to their fields.
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "ui/app/CommandKeys.h"
#include "ui/app/LabelFields.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"
#include "ui/data/DBGrid.h"
#include "windows/QuotationUnt.h"

namespace {

QAction* NewKeyAction(QWidget* window, const char* name, const QString& text) {
  auto* action = new QAction(text, window);
  action->setObjectName(name);
  return action;
}

// A push button's command on a key: the button shows the key in its tooltip.
QAction* ClickOnKey(QWidget* window, QAbstractButton* button, const char* name, const QString& text) {
  QAction* action = NewKeyAction(window, name, text);
  QObject::connect(action, &QAction::triggered, button, &QAbstractButton::click);
  return action;
}

}  // namespace

void TQuotation::BindKeys() {
  auto* keys = new ui::CommandKeys(this);
  const std::pair<QAction*, QKeySequence> toolbar[] = {
      {BtnNew, QKeySequence::New},         {BtnEdit, Qt::Key_F2},
      {BtnDel, Qt::CTRL | Qt::Key_D},      {BtnUndo, QKeySequence::Undo},
      {BtnSave, QKeySequence::Save},       {BtnTop, Qt::ALT | Qt::Key_Home},
      {BtnBack, Qt::ALT | Qt::Key_PageUp}, {BtnNext, Qt::ALT | Qt::Key_PageDown},
      {BtnEnd, Qt::ALT | Qt::Key_End},     {BtnPrint, QKeySequence::Print},
      {BtnExcel, Qt::CTRL | Qt::Key_E},    {BtnExit, Qt::CTRL | Qt::Key_W},
  };
  for (const auto& [action, sequence] : toolbar) keys->Add(action, sequence);

  FindKey = ClickOnKey(this, BtnFind, "FindKey", BtnFind->text());
  keys->Add(FindKey, QKeySequence::Find);
  BtnFind->setToolTip(FindKey->toolTip());
  CustNoFindKey = ClickOnKey(this, BtnCustNoFind, "CustNoFindKey", BtnCustNoFind->toolTip());
  keys->Add(CustNoFindKey, Qt::CTRL | Qt::Key_L);
  BtnCustNoFind->setToolTip(CustNoFindKey->toolTip());

  FindPageKey = NewKeyAction(this, "FindPageKey", PageControl1->tabText(0));
  connect(FindPageKey, &QAction::triggered, this, [this] { ShowPage(QuotationFind); });
  keys->Add(FindPageKey, Qt::ALT | Qt::Key_1);
  InputPageKey = NewKeyAction(this, "InputPageKey", PageControl1->tabText(1));
  connect(InputPageKey, &QAction::triggered, this, [this] { ShowPage(QuotationInput); });
  keys->Add(InputPageKey, Qt::ALT | Qt::Key_2);
  PageControl1->setTabToolTip(0, FindPageKey->toolTip());
  PageControl1->setTabToolTip(1, InputPageKey->toolTip());
}

void TQuotation::NameFields() {
  ui::TieLabelsToFields(Panel1);
  ui::TieLabelsToFields(Panel2);
  DBEdit2->setAccessibleName("公司簡稱");  // the customer's name, beside the number
  for (QGroupBox* box : {GroupBox1, GroupBox2, GroupBox4})
    if (auto* grid = box->findChild<ui::DBGrid*>()) grid->setAccessibleName(box->title());
}

// A page comes up with the focus on its first control that takes typing.
void TQuotation::ShowPage(QWidget* page) {
  PageControl1->setCurrentWidget(page);
  if (page == QuotationFind) return EdtQuotationNumber->setFocus(Qt::ShortcutFocusReason);
  for (QWidget* control : EntryControls())
    if (control->isEnabled()) return control->setFocus(Qt::ShortcutFocusReason);
  DBGrid3->setFocus(Qt::ShortcutFocusReason);
}
