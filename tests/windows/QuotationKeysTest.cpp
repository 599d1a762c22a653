// The quotation window worked from the keyboard alone: every command on a key
// shown in its tooltip, keys that win over the edit boxes' own and act only in
// the window holding the focus, the pages on Alt+1 / Alt+2, and captions tied
// to their fields.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <memory>

#include "QuotationFixture.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"
#include "windows/CustFrmEditPanel.h"
#include "windows/CustFrmSearchPanel.h"
#include "windows/CustomFindUnt.h"
#include "windows/CustomUnt.h"

namespace {

struct Key {
  QAction* action;
  QKeySequence keys;
};

class QuotationKeys : public QuotationFixture {
 protected:
  void SetUp() override {
    QuotationFixture::SetUp();
    window_ = OpenWindow();
    QApplication::setActiveWindow(window_);
  }

  std::vector<Key> Keys() const {
    TQuotation& w = *window_;
    return {{w.BtnNew, QKeySequence::New},         {w.BtnEdit, Qt::Key_F2},
            {w.BtnDel, Qt::CTRL | Qt::Key_D},      {w.BtnUndo, QKeySequence::Undo},
            {w.BtnSave, QKeySequence::Save},       {w.BtnTop, Qt::ALT | Qt::Key_Home},
            {w.BtnBack, Qt::ALT | Qt::Key_PageUp}, {w.BtnNext, Qt::ALT | Qt::Key_PageDown},
            {w.BtnEnd, Qt::ALT | Qt::Key_End},     {w.BtnPrint, Qt::CTRL | Qt::Key_P},
            {w.BtnExcel, Qt::CTRL | Qt::Key_E},    {w.BtnExit, Qt::CTRL | Qt::Key_W},
            {w.FindKey, Qt::CTRL | Qt::Key_F},     {w.CustNoFindKey, Qt::CTRL | Qt::Key_L},
            {w.FindPageKey, Qt::ALT | Qt::Key_1},  {w.InputPageKey, Qt::ALT | Qt::Key_2}};
  }

  // Keys pressed where the focus is, as a user would.
  static void Press(const QKeySequence& keys) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keySequence(focus, keys);
  }

  QWidget* Focus() const { return QApplication::focusWidget(); }

  TQuotation* window_ = nullptr;
};

// Handlers are cut off here, so that only the keys are under test: each key
// triggers its own action once and no other, from an edit box on either page
// (the toolbar is hidden while the search page shows).
TEST_F(QuotationKeys, EachKeyTriggersItsCommandFromAnEditBox) {
  const std::vector<Key> keys = Keys();
  std::vector<std::unique_ptr<QSignalSpy>> spies;
  for (const Key& key : keys) {
    QObject::disconnect(key.action, &QAction::triggered, nullptr, nullptr);
    key.action->setEnabled(true);
    spies.push_back(std::make_unique<QSignalSpy>(key.action, &QAction::triggered));
  }
  window_->DBEdit3->setEnabled(true);
  for (QWidget* box :
       {static_cast<QWidget*>(window_->EdtQuotationNumber), static_cast<QWidget*>(window_->DBEdit3)}) {
    window_->PageControl1->setCurrentWidget(box == window_->DBEdit3 ? window_->QuotationInput
                                                                    : window_->QuotationFind);
    box->setFocus();
    for (size_t i = 0; i < keys.size(); ++i) {
      for (auto& spy : spies) spy->clear();
      Press(keys[i].keys);
      for (size_t j = 0; j < keys.size(); ++j)
        EXPECT_EQ(spies[j]->count(), i == j ? 1 : 0)
            << keys[i].keys.toString().toStdString() << " in " << box->objectName().toStdString() << " ran "
            << keys[j].action->objectName().toStdString();
    }
  }
}

TEST_F(QuotationKeys, TooltipsShowTheKeys) {
  for (const Key& key : Keys())
    EXPECT_TRUE(key.action->toolTip().contains(key.keys.toString(QKeySequence::NativeText)))
        << key.action->objectName().toStdString() << ": " << key.action->toolTip().toStdString();
  EXPECT_EQ(window_->BtnNew->toolTip(),
            "新增 (" + QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText) + ")");
  EXPECT_EQ(window_->BtnFind->toolTip(), window_->FindKey->toolTip());
  EXPECT_EQ(window_->BtnCustNoFind->toolTip(), window_->CustNoFindKey->toolTip());
}

// With two quotation windows in one frame, a key acts in the one holding the focus.
TEST_F(QuotationKeys, KeysActOnlyInTheWindowWithTheFocus) {
  QMainWindow frame;
  auto* area = new QMdiArea;
  frame.setCentralWidget(area);
  auto* first = new TQuotation;
  auto* second = new TQuotation;
  area->addSubWindow(first)->show();
  area->addSubWindow(second)->show();
  frame.show();
  QApplication::setActiveWindow(&frame);
  second->EdtQuotationNumber->setFocus();
  Press(QKeySequence::New);
  EXPECT_EQ(second->AddFlag, 1);
  EXPECT_EQ(first->AddFlag, 0);
  first->EdtQuotationNumber->setFocus();
  Press(QKeySequence::New);
  EXPECT_EQ(first->AddFlag, 1);
}

// A quotation found, entered, undone and saved without the mouse.
TEST_F(QuotationKeys, KeysRunTheWindowsOwnHandlers) {
  Press(Qt::ALT | Qt::Key_1);
  EXPECT_EQ(window_->PageControl1->currentWidget(), window_->QuotationFind);
  EXPECT_EQ(Focus(), window_->EdtQuotationNumber);
  Type(window_->EdtQuotationNumber, "Q1");
  Press(QKeySequence::Find);
  ASSERT_TRUE(window_->ADODataSetMaster.Active());
  EXPECT_EQ(Column(window_->ADODataSetMaster, "quotation_number"), (std::vector<std::string>{"Q1", "Q10"}));
  Press(Qt::ALT | Qt::Key_End);
  EXPECT_EQ(Current(window_->ADODataSetMaster, "quotation_number"), "Q10");
  Press(Qt::ALT | Qt::Key_Home);
  EXPECT_EQ(Current(window_->ADODataSetMaster, "quotation_number"), "Q1");

  Press(Qt::ALT | Qt::Key_2);
  EXPECT_EQ(window_->PageControl1->currentWidget(), window_->QuotationInput);
  EXPECT_EQ(Focus(), window_->DBGrid3) << "no field is open for typing yet";
  Press(QKeySequence::New);
  EXPECT_EQ(window_->AddFlag, 1);
  Press(Qt::ALT | Qt::Key_2);
  EXPECT_EQ(Focus(), window_->DBEdit1);
  Type(window_->DBEdit1, "S0");
  Press(QKeySequence::Undo);  // the record's undo, not the box's
  EXPECT_EQ(window_->ADODataSetMaster.State(), store::DataSetState::Browse);
  EXPECT_FALSE(window_->DBEdit1->isEnabled());

  Press(QKeySequence::New);
  Type(window_->DBEdit3, "Q77");
  Answer({ui::Answer::Cancel});
  Press(QKeySequence::Save);
  EXPECT_EQ(TakeTexts().back(), "您確定要保存這筆記錄嗎？");

  window_->EdtCustNo->setFocus();
  Press(Qt::CTRL | Qt::Key_L);
  EXPECT_EQ(window_->findChildren<TCustmoterFindFrm*>().size(), 1);
  QApplication::setActiveWindow(window_);
  window_->EdtCustNo->setFocus();
  QPointer<TQuotation> closing = window_;
  Answer({ui::Answer::No});  // the header left pending is not kept
  Press(Qt::CTRL | Qt::Key_W);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closing.isNull());
}

// Screen readers announce each box by its caption; the labels are its buddies.
TEST_F(QuotationKeys, LabelsAreTheBuddiesOfTheirFields) {
  const std::pair<const char*, QWidget*> captions[] = {
      {"Label13", window_->EdtCustNo},  {"Label1", window_->EdtQuotationNumber},
      {"Label2", window_->DBEdit1},     {"Label3", window_->DBEdit3},
      {"Label4", window_->DBComboBox5}, {"Label5", window_->DBComboBox1},
      {"Label6", window_->DBComboBox3}, {"Label7", window_->DBEdit4},
      {"Label8", window_->DBComboBox2}, {"Label9", window_->DBComboBox4},
      {"Label10", window_->DBEdit5},    {"Label11", window_->DBEdit6},
      {"Label12", window_->DBEdit7}};
  for (const auto& [name, field] : captions) {
    const auto* label = window_->findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->buddy(), field) << name;
    EXPECT_EQ(field->accessibleName(), label->text().trimmed()) << name;
  }
  EXPECT_EQ(window_->DBEdit1->accessibleName(), "客戶編號");
  EXPECT_FALSE(window_->DBEdit2->accessibleName().isEmpty());
  EXPECT_EQ(window_->DBGrid3->accessibleName(), "報價明細輸入");
}

TEST_F(QuotationKeys, CustomerWindowBoxesAreNamedByTheirLabels) {
  auto* customers = Keep(new TCustFrm);
  std::vector<QWidget*> boxes = customers->Panel2->EntryBoxes();
  boxes.push_back(customers->Panel2->DBEdit1);
  boxes.push_back(customers->Panel1->edtname);
  boxes.push_back(customers->Panel1->Edtaddress);
  for (QWidget* box : boxes) {
    const QLabel* label = nullptr;
    for (const QLabel* candidate : box->parentWidget()->findChildren<QLabel*>())
      if (candidate->buddy() == box) label = candidate;
    ASSERT_NE(label, nullptr) << box->objectName().toStdString();
    EXPECT_EQ(box->accessibleName(), label->text()) << box->objectName().toStdString();
  }
  EXPECT_EQ(customers->Panel2->DBEdit10->accessibleName(), "維護日期");
  EXPECT_EQ(customers->Panel1->Edtaddress->accessibleName(), "公司地址");
}

}  // namespace
