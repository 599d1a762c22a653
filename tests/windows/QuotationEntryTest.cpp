// Entering headers: New, Save and its state table, the toolbar's record
// buttons, and the customer name that follows the typed customer number.
#include <QAction>
#include <QLineEdit>
#include <QToolButton>

#include "QuotationFixture.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"

namespace {

class QuotationEntry : public QuotationFixture {
 protected:
  void SetUp() override {
    QuotationFixture::SetUp();
    window_ = OpenWindow();
  }

  bool FieldsEnabled() const {
    const bool enabled = window_->DBEdit1->isEnabled();
    for (QWidget* box :
         {static_cast<QWidget*>(window_->DBEdit3), static_cast<QWidget*>(window_->DBEdit4),
          static_cast<QWidget*>(window_->DBEdit5), static_cast<QWidget*>(window_->DBEdit6),
          static_cast<QWidget*>(window_->DBEdit7), static_cast<QWidget*>(window_->DBComboBox1),
          static_cast<QWidget*>(window_->DBComboBox2), static_cast<QWidget*>(window_->DBComboBox3),
          static_cast<QWidget*>(window_->DBComboBox4), static_cast<QWidget*>(window_->DBComboBox5)})
      EXPECT_EQ(box->isEnabled(), enabled) << box->objectName().toStdString();
    return enabled;
  }

  int StoredWithNumber(const std::string& number) {
    int count = 0;
    for (const Row& row : Stored("Quomaster")) count += row.at("quotation_number") == number;
    return count;
  }

  void NewHeader(const QString& custNo, const QString& number) {
    window_->BtnNew->trigger();
    Type(window_->DBEdit1, custNo);
    Type(window_->DBEdit3, number);
  }

  store::DataSetState HeaderState() const { return window_->ADODataSetMaster.State(); }

  TQuotation* window_ = nullptr;
};

using Texts = std::vector<QString>;

TEST_F(QuotationEntry, NewBeforeAnySearchOpensAllHeadersAndAppendsABlankOne) {
  window_->BtnNew->trigger();
  EXPECT_TRUE(window_->ADODataSetMaster.Active());
  EXPECT_EQ(window_->ADODataSetMaster.CommandText(), "select  * from Quomaster");
  EXPECT_EQ(HeaderState(), store::DataSetState::Insert);
  EXPECT_EQ(window_->ADODataSetMaster.RecordCount(), 5);
  EXPECT_TRUE(FieldsEnabled());
  EXPECT_TRUE(window_->BtnUndo->isEnabled());
  EXPECT_TRUE(window_->BtnSave->isEnabled());
  EXPECT_EQ(window_->AddFlag, 1);
  EXPECT_FALSE(window_->ADODataSetDilate.Active());  // no search yet: no lines
}

TEST_F(QuotationEntry, SaveOnTheNewPathAsksPostsThenReportsAndLocksTheFields) {
  NewHeader("S010", "Q55");
  window_->DBComboBox1->setFocus();
  Type(window_->DBComboBox1->lineEdit(), "支票");
  window_->BtnSave->trigger();
  EXPECT_EQ(TakeTexts(), Texts({"您確定要保存這筆記錄嗎？", "保存成功"}));
  EXPECT_EQ(StoredWithNumber("Q55"), 1);
  for (const Row& row : Stored("Quomaster"))
    if (row.at("quotation_number") == "Q55") {
      EXPECT_EQ(row.at("pay_mode"), "支票");
    }
  EXPECT_EQ(HeaderState(), store::DataSetState::Browse);
  EXPECT_FALSE(FieldsEnabled());
  EXPECT_FALSE(window_->DBEdit2->isEnabled());
  EXPECT_EQ(window_->AddFlag, 0);
  EXPECT_TRUE(window_->BtnUndo->isEnabled());
  EXPECT_TRUE(window_->BtnSave->isEnabled());
  window_->BtnNew->trigger();
  EXPECT_FALSE(window_->DBEdit2->isEnabled());  // New never unlocks the name box again
}

TEST_F(QuotationEntry, CancelledSaveKeepsTheHeaderPendingForAModifySave) {
  NewHeader("S002", "Q66");
  Answer({ui::Answer::Cancel});
  window_->BtnSave->trigger();
  EXPECT_EQ(TakeTexts(), Texts({"您確定要保存這筆記錄嗎？"}));
  EXPECT_EQ(window_->AddFlag, 0);
  EXPECT_FALSE(FieldsEnabled());
  EXPECT_EQ(HeaderState(), store::DataSetState::Insert);
  EXPECT_EQ(StoredWithNumber("Q66"), 0);
  window_->BtnSave->trigger();
  EXPECT_EQ(TakeTexts(), Texts({"您確定要修改這筆記錄嗎？", "修改成功"}));
  EXPECT_EQ(StoredWithNumber("Q66"), 1);
}

TEST_F(QuotationEntry, ARefusedPostShowsOnlyTheErrorAndKeepsEverything) {
  NewHeader("S001", "Q1");  // the pair already exists
  window_->BtnSave->trigger();
  const Texts texts = TakeTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "您確定要保存這筆記錄嗎？");
  EXPECT_NE(texts[1], "保存成功");  // the store's refusal, not a success
  EXPECT_EQ(window_->AddFlag, 1);
  EXPECT_TRUE(FieldsEnabled());
  EXPECT_EQ(HeaderState(), store::DataSetState::Insert);
  ClearBox(window_->DBEdit3);
  Type(window_->DBEdit3, "Q1b");
  window_->BtnSave->trigger();
  EXPECT_EQ(TakeTexts(), Texts({"您確定要保存這筆記錄嗎？", "保存成功"}));
  EXPECT_EQ(StoredWithNumber("Q1b"), 1);
}

TEST_F(QuotationEntry, ASecondSaveWithNothingPendingReportsNoSuccess) {
  NewHeader("S002", "Q67");
  window_->BtnSave->trigger();
  TakeTexts();
  window_->BtnSave->trigger();
  const Texts texts = TakeTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "您確定要修改這筆記錄嗎？");
  EXPECT_TRUE(texts[1].contains("Dataset not in edit or insert mode")) << texts[1].toStdString();
  EXPECT_TRUE(texts[1].startsWith("ADODataSetMaster")) << texts[1].toStdString();
}

TEST_F(QuotationEntry, NewTwiceDropsAnUntouchedHeaderAndPostsATypedOne) {
  window_->BtnNew->trigger();
  window_->BtnNew->trigger();
  EXPECT_EQ(Stored("Quomaster").size(), 4u);
  Type(window_->DBEdit1, "S002");
  Type(window_->DBEdit3, "Q70");
  window_->BtnNew->trigger();
  EXPECT_EQ(StoredWithNumber("Q70"), 1);
  EXPECT_EQ(HeaderState(), store::DataSetState::Insert);
  EXPECT_EQ(window_->AddFlag, 1);
}

TEST_F(QuotationEntry, TheNameBoxFollowsEachKeystrokeInTheCustomerNumber) {
  window_->BtnNew->trigger();
  EXPECT_EQ(window_->DBEdit2->text(), "Alpha");
  Type(window_->DBEdit1, "S");
  EXPECT_EQ(window_->DBEdit2->text(), "Alpha");
  Type(window_->DBEdit1, "0");
  Type(window_->DBEdit1, "1");
  EXPECT_EQ(window_->DBEdit2->text(), "Gamma");  // S01 is contained only in S010
  Type(window_->DBEdit1, "9");
  EXPECT_TRUE(window_->DBEdit2->text().isEmpty());
  EXPECT_EQ(window_->ADOQuery1.RecordCount(), 0);
  ClearBox(window_->DBEdit1);
  Type(window_->DBEdit1, "5");
  EXPECT_EQ(window_->DBEdit2->text(), "Delta");
  Type(window_->DBEdit1, "'");
  EXPECT_TRUE(window_->DBEdit2->text().isEmpty());
  EXPECT_TRUE(ui::Prompts::Recorded().empty());  // a quote is just text
  EXPECT_TRUE(window_->ADOQuery1.Active());
}

TEST_F(QuotationEntry, NewOverAShownHeaderEmptiesTheNumberAndShowsTheFirstCustomer) {
  window_->EdtCustNo->setText("S010");
  window_->BtnFind->click();
  EXPECT_EQ(window_->DBEdit2->text(), "Gamma");
  window_->BtnNew->trigger();
  EXPECT_TRUE(window_->DBEdit1->text().isEmpty());
  EXPECT_EQ(window_->DBEdit2->text(), "Alpha");
  EXPECT_EQ(window_->ADODataSetMaster.RecordCount(), 2);  // the search's result keeps its statement
}

TEST_F(QuotationEntry, AfterASearchDroppedTheNewHeaderTypingEditsTheShownOneOnTheNewPath) {
  window_->BtnNew->trigger();
  window_->EdtCustNo->setText("S002");
  window_->BtnFind->click();  // the untouched blank header goes without a question
  EXPECT_TRUE(TakeTexts().empty());
  EXPECT_EQ(window_->AddFlag, 1);
  ASSERT_TRUE(window_->DBEdit4->isEnabled());
  Type(window_->DBEdit4, "VAT");
  window_->BtnSave->trigger();
  EXPECT_EQ(TakeTexts(), Texts({"您確定要保存這筆記錄嗎？", "保存成功"}));
  for (const Row& row : Stored("Quomaster"))
    if (row.at("Cust_no") == "S002") {
      EXPECT_EQ(row.at("tax_type"), "VAT");
    }
}

TEST_F(QuotationEntry, EditAndUndoActOnTheCurrentHeader) {
  window_->EdtCustNo->setText("");
  window_->BtnFind->click();
  window_->BtnEdit->trigger();
  EXPECT_EQ(HeaderState(), store::DataSetState::Edit);
  EXPECT_TRUE(FieldsEnabled());
  EXPECT_TRUE(window_->BtnSave->isEnabled());
  Type(window_->DBEdit4, "VAT");
  window_->BtnUndo->trigger();
  EXPECT_EQ(HeaderState(), store::DataSetState::Browse);
  EXPECT_FALSE(FieldsEnabled());
  for (const Row& row : Stored("Quomaster")) EXPECT_NE(row.at("tax_type"), "VAT");
  window_->BtnEdit->trigger();
  Type(window_->DBEdit4, "GST");
  window_->BtnSave->trigger();
  EXPECT_EQ(TakeTexts(), Texts({"您確定要修改這筆記錄嗎？", "修改成功"}));
  int changed = 0;
  for (const Row& row : Stored("Quomaster")) changed += row.at("tax_type") == "GST";
  EXPECT_EQ(changed, 1);
}

TEST_F(QuotationEntry, RecordButtonsMoveThroughTheHeaders) {
  window_->BtnFind->click();  // ordered: S'01, S001, S002, S010
  window_->BtnEnd->trigger();
  EXPECT_EQ(window_->DBEdit1->text(), "S010");
  window_->BtnBack->trigger();
  EXPECT_EQ(window_->DBEdit1->text(), "S002");
  window_->BtnTop->trigger();
  EXPECT_EQ(window_->DBEdit1->text(), "S'01");
  window_->BtnNext->trigger();
  EXPECT_EQ(window_->DBEdit1->text(), "S001");
  EXPECT_EQ(window_->DBEdit2->text(), "Alpha");
}

TEST_F(QuotationEntry, DeleteRemovesTheHeaderTogetherWithItsLines) {
  window_->BtnFind->click();
  window_->BtnNext->trigger();  // S001/Q1 with three lines
  Answer({ui::Answer::Cancel});
  window_->BtnDel->trigger();
  EXPECT_EQ(Stored("Quomaster").size(), 4u);
  window_->BtnDel->trigger();
  EXPECT_EQ(TakeTexts(), Texts({"您確定要刪除這筆記錄嗎？", "您確定要刪除這筆記錄嗎？"}));
  EXPECT_EQ(Stored("Quomaster").size(), 3u);
  for (const Row& row : Stored("QuoDilate")) EXPECT_NE(row.at("Cust_no"), "S001");
  EXPECT_EQ(Stored("QuoDilate").size(), 3u);
  EXPECT_EQ(window_->ADODataSetMaster.RecordCount(), 3);
  EXPECT_EQ(window_->DBEdit1->text(), "S002");
  EXPECT_EQ(Column(window_->ADODataSetDilate, "name_number"), std::vector<std::string>({"bolt", "screw"}));
}

TEST_F(QuotationEntry, DeleteBeforeTheFirstSearchStillTakesTheLines) {
  window_->BtnNew->trigger();  // opens every header, lines closed
  window_->BtnUndo->trigger();
  window_->ADODataSetMaster.Locate("Cust_no", "S010");
  window_->BtnDel->trigger();
  EXPECT_EQ(Stored("Quomaster").size(), 3u);
  for (const Row& row : Stored("QuoDilate")) EXPECT_NE(row.at("Cust_no"), "S010");
}

TEST_F(QuotationEntry, DeleteWithNoHeaderShownSaysSoAndLeavesTheLines) {
  Seed("QuoDilate", {Line("", "", 1, "loose")});
  window_->BtnDel->trigger();  // no search yet: the header set is closed, Delete says nothing
  Texts texts = TakeTexts();
  EXPECT_TRUE(texts.empty());
  window_->EdtCustNo->setText("ZZ");
  window_->BtnFind->click();
  window_->BtnDel->trigger();
  texts = TakeTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1], "ADODataSetMaster: Cannot perform this operation on an empty dataset.");
  EXPECT_EQ(Stored("QuoDilate").size(), 7u);
  EXPECT_EQ(Stored("Quomaster").size(), 4u);
}

TEST_F(QuotationEntry, AFailedDeleteLeavesTheHeaderAndAllItsLines) {
  window_->BtnFind->click();
  window_->BtnNext->trigger();  // S001/Q1 with three lines
  {
    // Someone else changes the header meanwhile, so its delete is refused.
    store::Connection other;
    other.SetConnectionString(store::kReadWriteConnectionString);
    other.Open();
    store::QueryRecordSet set(other, "Other");
    set.SQL().Add("select * from Quomaster");
    set.Open();
    ASSERT_TRUE(set.Locate("Cust_no", "S001"));
    set.Edit();
    set.FieldByName("pay_mode").SetAsString("支票");
    set.Post();
  }
  window_->BtnDel->trigger();
  const Texts texts = TakeTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "您確定要刪除這筆記錄嗎？");
  EXPECT_EQ(Stored("Quomaster").size(), 4u);
  EXPECT_EQ(Stored("QuoDilate").size(), 6u);
  EXPECT_EQ(window_->DBEdit1->text(), "S001");
  EXPECT_EQ(Column(window_->ADODataSetDilate, "name_number"),
            std::vector<std::string>({"nut", "washer", "spring"}));
}

}  // namespace
