#include <QToolButton>

#include "BoundFixture.h"
#include "ui/data/DBNavigator.h"

using store::DataSetState;
using Nav = ui::DBNavigator;

namespace {

class DBNavigatorTest : public BoundFixture {
 protected:
  // Which buttons are enabled, as a string of ten 0/1 in button order.
  std::string Enabled() const {
    std::string flags;
    for (int i = 0; i < Nav::ButtonCount; ++i) flags += navigator.Button(i)->isEnabled() ? '1' : '0';
    return flags;
  }
  void Press(int button) { navigator.Button(button)->click(); }

  ui::DBNavigator navigator;
};

TEST_F(DBNavigatorTest, ButtonsCarryNamesAndChineseTips) {
  EXPECT_EQ(navigator.findChildren<QToolButton*>().size(), 10);
  EXPECT_EQ(navigator.Button(Nav::First)->objectName(), "NavFirst");
  EXPECT_EQ(navigator.Button(Nav::Refresh)->objectName(), "NavRefresh");
  EXPECT_EQ(navigator.Button(Nav::Delete)->toolTip(), "刪除");
  EXPECT_EQ(navigator.Button(Nav::Post)->accessibleName(), "保存");
  EXPECT_EQ(navigator.Button(10), nullptr);
}

TEST_F(DBNavigatorTest, EnablingFollowsSourceRowAndState) {
  EXPECT_EQ(Enabled(), "0000000000") << "no data source";
  navigator.SetDataSource(&source);
  EXPECT_EQ(Enabled(), "0011111001") << "first row, browsing";
  query.Next();
  EXPECT_EQ(Enabled(), "1111111001");
  query.Last();
  EXPECT_EQ(Enabled(), "1100111001");
  query.Edit();
  EXPECT_EQ(Enabled(), "1100110111");
  query.Cancel();
  query.Close();
  EXPECT_EQ(Enabled(), "0000000000");
  query.Open();
  navigator.SetDataSource(nullptr);
  EXPECT_EQ(Enabled(), "0000000000");
}

TEST_F(DBNavigatorTest, ButtonsDriveTheSet) {
  navigator.SetDataSource(&source);
  Press(Nav::Last);
  EXPECT_EQ(query.RecNo(), 2);
  Press(Nav::Prior);
  EXPECT_EQ(query.RecNo(), 1);
  Press(Nav::Edit);
  query.FieldByName("cust_name").SetAsString("改");
  Press(Nav::Post);
  EXPECT_EQ(Stored("cust_name", "S002"), "改");
  Press(Nav::Insert);
  EXPECT_EQ(query.State(), DataSetState::Insert);
  Press(Nav::Cancel);
  EXPECT_EQ(query.State(), DataSetState::Browse);

  db.Execute("update customer set cust_name = '外部' where cust_no = 'S002'");
  Press(Nav::Refresh);
  EXPECT_EQ(query.RecNo(), 1) << "refresh keeps the position";
  EXPECT_EQ(query.FieldByName("cust_name").AsString(), "外部");

  answer = ui::Answer::Cancel;
  Press(Nav::Delete);
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "3");
  answer = ui::Answer::Ok;
  Press(Nav::Delete);
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "2");
  ASSERT_EQ(PromptTexts().size(), 2u);
  EXPECT_EQ(PromptTexts()[0], "Delete record?");
}

TEST_F(DBNavigatorTest, AFailingOperationIsShown) {
  navigator.SetDataSource(&source);
  query.Edit();
  query.FieldByName("cust_no").SetAsString("S003");  // a key already in use
  Press(Nav::Post);
  ASSERT_EQ(ui::Prompts::Recorded().size(), 1u);
  EXPECT_EQ(ui::Prompts::Recorded()[0].kind, ui::Prompt::Kind::Error);
  EXPECT_EQ(query.State(), DataSetState::Edit);
}

}  // namespace
