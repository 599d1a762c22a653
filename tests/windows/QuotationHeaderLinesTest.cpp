// A quotation's lines stay with their header through entry: lines typed under
// a new header take its numbers when it is saved, a stored header's lines
// follow a change of its numbers, and Undo of a new header leaves no line
// behind.
#include <QAction>
#include <QLineEdit>

#include "QuotationFixture.h"
#include "ui/data/DBEdit.h"

namespace {

using Texts = std::vector<QString>;
using Names = std::vector<std::string>;

class QuotationHeaderLines : public QuotationFixture {
 protected:
  void SetUp() override {
    QuotationFixture::SetUp();
    window_ = OpenWindow();
  }

  // A line written through the line grid's set, as the grid does when its cursor leaves a line.
  void WriteLine(const std::string& name) {
    store::RecordSet& lines = window_->ADODataSetDilate;
    lines.Append();
    lines.FieldByName("name_number").SetAsString(name);
    lines.Post();
  }

  // The customer and quotation numbers stored with each line of that name.
  std::vector<std::string> StoredNumbersOf(const std::string& name) {
    std::vector<std::string> numbers;
    for (const Row& row : Stored("QuoDilate"))
      if (row.at("name_number") == name)
        numbers.push_back(row.at("Cust_no") + "/" + row.at("quotation_number"));
    return numbers;
  }

  void ReplaceText(QWidget* box, const QString& text) {
    box->setFocus(Qt::MouseFocusReason);
    ClearBox(box);
    Type(box, text);
  }

  TQuotation* window_ = nullptr;
};

TEST_F(QuotationHeaderLines, LinesTypedUnderANewHeaderTakeItsNumbersWhenItIsSaved) {
  Seed("QuoDilate", {Line("", "", 1, "loose")});
  window_->BtnFind->click();
  window_->BtnNew->trigger();
  EXPECT_TRUE(Column(window_->ADODataSetDilate, "name_number").empty());  // no old blank line shows
  WriteLine("lid");
  WriteLine("box");
  Type(window_->DBEdit1, "S010");
  Type(window_->DBEdit3, "Q11");
  EXPECT_EQ(Column(window_->ADODataSetDilate, "name_number"), Names({"lid", "box"}));
  window_->BtnSave->trigger();
  EXPECT_EQ(TakeTexts(), Texts({"您確定要保存這筆記錄嗎？", "保存成功"}));
  EXPECT_EQ(StoredNumbersOf("lid"), std::vector<std::string>({"S010/Q11"}));
  EXPECT_EQ(StoredNumbersOf("box"), std::vector<std::string>({"S010/Q11"}));
  EXPECT_EQ(StoredNumbersOf("loose"), std::vector<std::string>({"/"}));
  EXPECT_EQ(Column(window_->ADODataSetDilate, "name_number"), Names({"lid", "box"}));
  EXPECT_EQ(Column(window_->ADODataSetDilate, "quotation_number"), Names({"Q11", "Q11"}));

  // Another new header starts without lines: the saved ones stay with theirs.
  window_->BtnNew->trigger();
  EXPECT_TRUE(Column(window_->ADODataSetDilate, "name_number").empty());
}

TEST_F(QuotationHeaderLines, EditingAStoredHeadersNumbersTakesItsLinesAlong) {
  window_->BtnFind->click();  // S'01, S001, S002, S010
  window_->BtnNext->trigger();
  window_->BtnEdit->trigger();
  ReplaceText(window_->DBEdit3, "Q9");
  window_->BtnSave->trigger();
  EXPECT_EQ(TakeTexts(), Texts({"您確定要修改這筆記錄嗎？", "修改成功"}));
  for (const char* name : {"nut", "washer", "spring"})
    EXPECT_EQ(StoredNumbersOf(name), std::vector<std::string>({"S001/Q9"})) << name;
  EXPECT_EQ(Column(window_->ADODataSetDilate, "name_number"), Names({"nut", "washer", "spring"}));

  // Numbers the key refuses change nothing: header and lines stay as stored.
  window_->BtnEdit->trigger();
  ReplaceText(window_->DBEdit1, "S002");
  ReplaceText(window_->DBEdit3, "Q2");
  window_->BtnSave->trigger();
  EXPECT_EQ(TakeTexts().size(), 2u);
  EXPECT_EQ(StoredNumbersOf("nut"), std::vector<std::string>({"S001/Q9"}));
  EXPECT_EQ(StoredNumbersOf("bolt"), std::vector<std::string>({"S002/Q2"}));
}

TEST_F(QuotationHeaderLines, BeforeAnySearchTheLinesStillFollowTheirHeader) {
  window_->BtnNew->trigger();  // opens every header; no line set yet
  window_->BtnUndo->trigger();
  ASSERT_TRUE(window_->ADODataSetMaster.Locate("Cust_no", "S010"));
  window_->BtnEdit->trigger();
  ReplaceText(window_->DBEdit3, "Q12");
  window_->BtnSave->trigger();
  EXPECT_EQ(StoredNumbersOf("gear"), std::vector<std::string>({"S010/Q12"}));
}

TEST_F(QuotationHeaderLines, UndoOfANewHeaderAsksWithTheLineCountAndLeavesNoLine) {
  window_->BtnFind->click();
  const std::size_t stored = Stored("QuoDilate").size();
  window_->BtnNew->trigger();
  WriteLine("lid");
  WriteLine("box");
  window_->ADODataSetDilate.Append();  // a third still being typed
  window_->ADODataSetDilate.FieldByName("name_number").SetAsString("cap");
  Answer({ui::Answer::Cancel});
  window_->BtnUndo->trigger();
  EXPECT_EQ(TakeTexts(), Texts({"這張報價單尚未保存，已輸入的 2 筆明細將一併刪除。確定要復原嗎？"}));
  EXPECT_EQ(window_->ADODataSetMaster.State(), store::DataSetState::Insert);
  EXPECT_EQ(Column(window_->ADODataSetDilate, "name_number"), Names({"lid", "box", "cap"}));
  EXPECT_TRUE(window_->DBEdit1->isEnabled());

  window_->BtnUndo->trigger();
  EXPECT_EQ(TakeTexts().size(), 1u);
  EXPECT_EQ(window_->ADODataSetMaster.State(), store::DataSetState::Browse);
  EXPECT_EQ(Stored("QuoDilate").size(), stored);
  EXPECT_EQ(Stored("Quomaster").size(), 4u);
  EXPECT_FALSE(window_->DBEdit1->isEnabled());
}

TEST_F(QuotationHeaderLines, UndoWithOnlyALineBeingTypedAsksNothingAndWritesNothing) {
  window_->BtnFind->click();
  const std::size_t stored = Stored("QuoDilate").size();
  window_->BtnNew->trigger();
  Type(window_->DBEdit1, "S001");
  window_->ADODataSetDilate.Append();
  window_->ADODataSetDilate.FieldByName("name_number").SetAsString("cap");
  window_->BtnUndo->trigger();
  EXPECT_TRUE(TakeTexts().empty());
  EXPECT_EQ(Stored("QuoDilate").size(), stored);
  EXPECT_EQ(window_->ADODataSetDilate.State(), store::DataSetState::Browse);
}

}  // namespace
