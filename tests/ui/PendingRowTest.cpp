#include "BoundFixture.h"
#include "store/CommandRecordSet.h"
#include "ui/data/DBEdit.h"
#include "ui/data/PendingRow.h"

using store::DataSetState;

namespace {

class PendingRowTest : public BoundFixture {
 protected:
  void SetUp() override {
    BoundFixture::SetUp();
    headers.SetCommandText("select * from Quomaster");
    headers.Open();
  }

  bool Resolve() { return ui::ResolvePendingRows(nullptr, {&query, &headers}); }

  store::CommandRecordSet headers{connection, "ADODataSetMaster"};
};

TEST_F(PendingRowTest, NothingPendingOrUntouchedGoesOnSilently) {
  EXPECT_TRUE(Resolve());
  query.Append();
  headers.Append();
  query.Next();
  query.Last();
  query.Edit();
  EXPECT_TRUE(Resolve());
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(headers.State(), DataSetState::Browse);
  EXPECT_EQ(headers.RecordCount(), 0);
  EXPECT_TRUE(PromptTexts().empty());
}

TEST_F(PendingRowTest, YesPostsNoDropsCancelStops) {
  query.Edit();
  query.FieldByName("cust_name").SetAsString("甲");
  answer = ui::Answer::Cancel;
  EXPECT_FALSE(Resolve());
  EXPECT_EQ(query.State(), DataSetState::Edit);
  ASSERT_EQ(PromptTexts().size(), 1u);
  EXPECT_EQ(PromptTexts()[0], "這筆記錄已修改，是否保存？");
  EXPECT_EQ(ui::Prompts::Recorded()[0].kind, ui::Prompt::Kind::Question);

  answer = ui::Answer::No;
  EXPECT_TRUE(Resolve());
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(Stored("cust_name", "S001"), "宏達電子");

  query.Edit();
  query.FieldByName("cust_name").SetAsString("乙");
  answer = ui::Answer::Yes;
  EXPECT_TRUE(Resolve());
  EXPECT_EQ(Stored("cust_name", "S001"), "乙");
}

TEST_F(PendingRowTest, AFailedPostIsShownAndStops) {
  query.Append();
  query.FieldByName("cust_no").SetAsString("S001");  // the key is taken
  headers.Append();
  headers.FieldByName("Cust_no").SetAsString("S001");
  answer = ui::Answer::Yes;
  EXPECT_FALSE(Resolve());
  EXPECT_EQ(query.State(), DataSetState::Insert);
  EXPECT_EQ(headers.State(), DataSetState::Insert) << "the sets after the failing one are not asked";
  ASSERT_EQ(ui::Prompts::Recorded().size(), 2u);
  EXPECT_EQ(ui::Prompts::Recorded()[1].kind, ui::Prompt::Kind::Error);
}

TEST_F(PendingRowTest, TextHeldByABoxCountsAsAChange) {
  ui::DBEdit edit;
  edit.SetDataField("create_date");
  edit.SetDataSource(&source);
  edit.SetText("2025-05-06");
  answer = ui::Answer::Yes;
  EXPECT_TRUE(Resolve());
  EXPECT_EQ(Stored("create_date", "S001"), "2025-05-06");

  edit.SetText("not a date");
  EXPECT_FALSE(Resolve()) << "a conversion error is shown and stops";
  ASSERT_FALSE(ui::Prompts::Recorded().empty());
  EXPECT_EQ(ui::Prompts::Recorded().back().kind, ui::Prompt::Kind::Error);
  EXPECT_EQ(query.State(), DataSetState::Edit);
}

}  // namespace
