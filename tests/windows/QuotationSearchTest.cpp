// The search of headers and the lines that follow the current header.
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "QuotationFixture.h"
#include "ui/data/DBEdit.h"
#include "ui/data/RecordSetModel.h"

namespace {

class QuotationSearch : public QuotationFixture {
 protected:
  void SetUp() override {
    QuotationFixture::SetUp();
    window_ = OpenWindow();
    window_->PageControl1->setCurrentWidget(window_->QuotationFind);
  }

  void Search(const QString& custNo, const QString& number = {}) {
    window_->EdtCustNo->setText(custNo);
    window_->EdtQuotationNumber->setText(number);
    QTest::mouseClick(window_->BtnFind, Qt::LeftButton);
  }

  std::vector<std::string> Headers() { return Column(window_->ADODataSetMaster, "Cust_no"); }
  std::vector<std::string> Lines() { return Column(window_->ADODataSetDilate, "name_number"); }

  static std::vector<std::string> Sorted(std::vector<std::string> values) {
    std::sort(values.begin(), values.end());
    return values;
  }

  TQuotation* window_ = nullptr;
};

using Strings = std::vector<std::string>;

TEST_F(QuotationSearch, EmptyCriterionListsEveryHeaderByCustomerNumberAndLinksTheLines) {
  Search("");
  EXPECT_EQ(Headers(), Strings({"S'01", "S001", "S002", "S010"}));
  EXPECT_EQ(window_->DBGrid1->model()->rowCount(), 4);
  EXPECT_EQ(window_->ADODataSetDilate.Master(), &window_->ADODataSetMaster);
  EXPECT_EQ(window_->ADODataSetDilate.MasterFields(), "Cust_no;Quotation_number");
  EXPECT_EQ(window_->ADODataSetDilate.CommandText(), "select * from QuoDilate");
  EXPECT_TRUE(Lines().empty());  // S'01 has no lines
  EXPECT_TRUE(ui::Prompts::Recorded().empty());
  EXPECT_EQ(window_->PageControl1->currentWidget(), window_->QuotationFind);
}

TEST_F(QuotationSearch, CriterionMatchesAnywhereWithBlanksAroundIgnored) {
  Search("S0");
  EXPECT_EQ(Sorted(Headers()), Strings({"S001", "S002", "S010"}));
  Search(" \tS0  ");
  EXPECT_EQ(Sorted(Headers()), Strings({"S001", "S002", "S010"}));
  Search("01");
  EXPECT_EQ(Sorted(Headers()), Strings({"S'01", "S001", "S010"}));
  Search("   ");  // not empty: every header, through the contains form
  EXPECT_EQ(Headers().size(), 4u);
  EXPECT_NE(window_->ADODataSetMaster.CommandText().find("like"), std::string::npos);
}

TEST_F(QuotationSearch, AQuoteIsSearchedAsAQuoteAndPatternCharactersKeepTheirMeaning) {
  Search("'");
  EXPECT_EQ(Headers(), Strings({"S'01"}));
  EXPECT_TRUE(ui::Prompts::Recorded().empty());
  Search("S_0");
  EXPECT_EQ(Sorted(Headers()), Strings({"S'01", "S001", "S002"}));
  Search("S%2");
  EXPECT_EQ(Headers(), Strings({"S002"}));
}

TEST_F(QuotationSearch, NoMatchLeavesBothGridsEmpty) {
  Search("ZZ");
  EXPECT_TRUE(window_->ADODataSetMaster.Active());
  EXPECT_EQ(window_->DBGrid1->model()->rowCount(), 0);
  EXPECT_EQ(window_->DBGrid2->model()->rowCount(), 0);
  EXPECT_TRUE(window_->DBEdit1->text().isEmpty());
}

TEST_F(QuotationSearch, QuotationNumberBoxNarrowsTheSearchWhenFilled) {
  Search("", "Q1");
  EXPECT_EQ(Headers(), Strings({"S001", "S010"}));
  Search("S0", "10");
  EXPECT_EQ(Headers(), Strings({"S010"}));
  Search("", "'");
  EXPECT_EQ(Headers(), Strings({"S'01"}));
}

TEST_F(QuotationSearch, MovingInTheHeaderGridShowsThatHeadersLinesFromTheFirst) {
  Search("");
  ClickCell(window_->DBGrid1, 1, 0);  // S001/Q1
  EXPECT_EQ(Current(window_->ADODataSetMaster, "Cust_no"), "S001");
  EXPECT_EQ(Lines(), Strings({"nut", "washer", "spring"}));
  EXPECT_EQ(window_->DBGrid2->model()->rowCount(), 3);
  EXPECT_EQ(window_->DBGrid3->model()->rowCount(), 3);
  window_->ADODataSetDilate.Last();
  ClickCell(window_->DBGrid1, 2, 0);  // S002/Q2
  EXPECT_EQ(Lines(), Strings({"bolt", "screw"}));
  EXPECT_EQ(window_->ADODataSetDilate.RecNo(), 0);
  EXPECT_EQ(Current(window_->ADODataSetDilate, "name_number"), "bolt");
  EXPECT_EQ(window_->DBEdit1->text(), "S002");
  EXPECT_EQ(window_->DBEdit2->text(), "Beta");  // the name follows the shown customer number
}

TEST_F(QuotationSearch, ALineChangedInTheEntryGridIsWrittenWhenTheHeaderMoves) {
  Search("");
  ClickCell(window_->DBGrid1, 1, 0);
  ui::RecordSetModel* model = window_->DBGrid3->Model();
  ASSERT_TRUE(model->setData(model->index(0, 3), "hex nut", Qt::EditRole));
  ClickCell(window_->DBGrid1, 2, 0);
  bool written = false;
  for (const Row& row : Stored("QuoDilate")) written |= row.at("name_number") == "hex nut";
  EXPECT_TRUE(written);
}

TEST_F(QuotationSearch, AnAppendedLineCarriesTheHeadersNumbersBeforeAnythingIsTyped) {
  Search("S010");
  window_->PageControl1->setCurrentWidget(window_->QuotationInput);
  window_->DBGrid3->setFocus();
  QTest::keyClick(window_->DBGrid3, Qt::Key_Insert);
  ASSERT_EQ(window_->ADODataSetDilate.State(), store::DataSetState::Insert);
  EXPECT_EQ(Current(window_->ADODataSetDilate, "Cust_no"), "S010");
  EXPECT_EQ(Current(window_->ADODataSetDilate, "quotation_number"), "Q10");
}

TEST_F(QuotationSearch, LinesWrittenElsewhereAppearOnlyAfterTheNextSearch) {
  Search("S010");
  Seed("QuoDilate", {Line("S010", "Q10", 2, "chain")});
  window_->ADODataSetMaster.First();
  EXPECT_EQ(Lines(), Strings({"gear"}));
  Search("S010");
  EXPECT_EQ(Lines(), Strings({"gear", "chain"}));
}

// Old lines with blank numbers belong to no new header: a blank new header
// shows none, and its new lines start with its (blank) numbers.
TEST_F(QuotationSearch, ABlankNewHeaderShowsNoOldBlankLinesAndNewLinesTakeItsNumbers) {
  Seed("QuoDilate", {Line("", "", 1, "loose")});
  Search("");
  window_->PageControl1->setCurrentWidget(window_->QuotationInput);
  window_->BtnNew->trigger();
  EXPECT_TRUE(Lines().empty());
  window_->ADODataSetDilate.Append();
  EXPECT_EQ(Current(window_->ADODataSetDilate, "Cust_no"), "");
  window_->ADODataSetDilate.Cancel();
}

TEST_F(QuotationSearch, ASearchOverATypedHeaderAsksFirst) {
  Search("");
  window_->BtnNew->trigger();
  Type(window_->DBEdit3, "Q9");
  Answer({ui::Answer::Cancel});
  Search("S0");
  EXPECT_EQ(window_->ADODataSetMaster.State(), store::DataSetState::Insert);
  EXPECT_EQ(TakeTexts().size(), 1u);
  Answer({ui::Answer::No});
  Search("S0");
  EXPECT_EQ(Headers().size(), 3u);
  EXPECT_EQ(Stored("Quomaster").size(), 4u);
  // AddFlag and the unlocked fields survive the search.
  EXPECT_EQ(window_->AddFlag, 1);
  EXPECT_TRUE(window_->DBEdit3->isEnabled());
}

TEST_F(QuotationSearch, ASearchOverAChangedLineCanPostIt) {
  Search("");
  ClickCell(window_->DBGrid1, 1, 0);
  ui::RecordSetModel* model = window_->DBGrid3->Model();
  ASSERT_TRUE(model->setData(model->index(0, 3), "lock nut", Qt::EditRole));
  Answer({ui::Answer::Yes});
  Search("");
  EXPECT_EQ(TakeTexts().size(), 1u);
  bool written = false;
  for (const Row& row : Stored("QuoDilate")) written |= row.at("name_number") == "lock nut";
  EXPECT_TRUE(written);
}

}  // namespace
