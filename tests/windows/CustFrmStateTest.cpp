// The record handlers of the customer window against its state table.
#include <QAction>
#include <QDate>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "CustFrmFixture.h"
#include "ui/app/RecordToolBar.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"
#include "ui/menu/TMenuItem.h"
#include "windows/CustFrmEditPanel.h"
#include "windows/CustFrmSearchPanel.h"

namespace {

using B = ui::RecordToolBar;
using State = store::DataSetState;

class CustFrmStateTest : public CustFrmOpenFixture {
 protected:
  bool Enabled(B::Button button) const { return w->ToolBar1->Action(button)->isEnabled(); }
  // True or false when all entry boxes agree; fails the test otherwise.
  bool EntryBoxesEnabled() const {
    const bool first = w->Panel2->EntryBoxes().front()->isEnabled();
    for (QWidget* box : w->Panel2->EntryBoxes())
      EXPECT_EQ(box->isEnabled(), first) << box->objectName().toStdString();
    return first;
  }
  static QString Today() { return QDate::currentDate().toString(Qt::ISODate); }
};

TEST_F(CustFrmStateTest, NewThenSaveStoresTheNumberTodayAndTheTypedDetails) {
  w->ADOQuery1.First();
  Press(B::New);
  EXPECT_EQ(w->ADOQuery1.State(), State::Insert);
  EXPECT_EQ(w->ADOQuery1.RecNo(), 3);  // the new row, last
  EXPECT_EQ(w->Panel2->DBEdit1->text(), "S004");
  EXPECT_EQ(w->Panel2->DBEdit10->text(), Today());
  EXPECT_TRUE(EntryBoxesEnabled());
  EXPECT_TRUE(Enabled(B::Undo));
  EXPECT_TRUE(Enabled(B::Save));
  EXPECT_EQ(w->AddFlag, 1);
  Type(w->Panel2->DBEdit2, "長榮貿易");
  Type(w->Panel2->DBEdit6, "02-1234");
  Type(w->Panel2->DBComboBox1->lineEdit(), "王小明");

  Press(B::Save);
  EXPECT_EQ(TakeTexts(), (std::vector<QString>{"您確定要保存這筆記錄嗎？", "保存成功"}));
  EXPECT_EQ(w->ADOQuery1.State(), State::Browse);
  EXPECT_FALSE(EntryBoxesEnabled());
  EXPECT_TRUE(Enabled(B::Undo));
  EXPECT_TRUE(Enabled(B::Save));
  EXPECT_EQ(w->AddFlag, 0);
  const std::optional<Row> row = Stored("S004");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->at("cust_name"), "長榮貿易");
  EXPECT_EQ(row->at("tel1"), "02-1234");
  EXPECT_EQ(row->at("sales"), "王小明");
  EXPECT_EQ(row->at("create_date"), Today().toStdString());
  EXPECT_EQ(row->at("all_name"), "");
  EXPECT_EQ(StoredRows().size(), 4u);
}

TEST_F(CustFrmStateTest, SaveCancelLeavesTheNewRowPendingForTheNextSave) {
  Press(B::New);
  Type(w->Panel2->DBEdit2, "Beta");
  Answer({ui::Answer::Cancel});
  Press(B::Save);
  EXPECT_EQ(TakeTexts(), std::vector<QString>{"您確定要保存這筆記錄嗎？"});
  EXPECT_EQ(w->ADOQuery1.State(), State::Insert);
  EXPECT_FALSE(EntryBoxesEnabled());
  EXPECT_EQ(w->AddFlag, 0);
  EXPECT_FALSE(Stored("S004"));
  Press(B::Save);
  EXPECT_EQ(TakeTexts(), (std::vector<QString>{"您確定要修改這筆記錄嗎？", "修改成功"}));
  ASSERT_TRUE(Stored("S004"));
  EXPECT_EQ(Stored("S004")->at("cust_name"), "Beta");
}

TEST_F(CustFrmStateTest, UndoDropsTheNewRowButKeepsAddFlag) {
  Press(B::New);
  Type(w->Panel2->DBEdit2, "Gamma");
  Press(B::Undo);
  EXPECT_EQ(w->ADOQuery1.State(), State::Browse);
  EXPECT_EQ(w->ADOQuery1.RecordCount(), 3);
  EXPECT_FALSE(EntryBoxesEnabled());
  EXPECT_EQ(w->AddFlag, 1);
  EXPECT_TRUE(Enabled(B::Undo));
  // AddFlag still chooses the prompts of a new row.
  Press(B::Edit);
  EXPECT_TRUE(EntryBoxesEnabled());
  Type(w->Panel2->DBEdit5, "Lee");
  Press(B::Save);
  EXPECT_EQ(TakeTexts(), (std::vector<QString>{"您確定要保存這筆記錄嗎？", "保存成功"}));
  EXPECT_EQ(StoredRows().size(), 3u);
  EXPECT_EQ(Stored(w->ADOQuery1.FieldByName("cust_no").AsString())->at("linkman"), "Lee");
}

TEST_F(CustFrmStateTest, MovingPostsTheNewRowWithoutAsking) {
  Press(B::New);
  Type(w->Panel2->DBEdit2, "Delta");
  Press(B::Next);
  EXPECT_TRUE(Shown().empty());
  ASSERT_TRUE(Stored("S004"));
  EXPECT_EQ(Stored("S004")->at("cust_name"), "Delta");
  EXPECT_TRUE(EntryBoxesEnabled());
  EXPECT_EQ(w->AddFlag, 1);
}

TEST_F(CustFrmStateTest, DeleteOfTheNewRowDropsItAndDeletesNothing) {
  Press(B::New);
  Press(B::Del);
  EXPECT_EQ(TakeTexts(), std::vector<QString>{"您確定要刪除這筆記錄嗎？"});
  EXPECT_EQ(w->ADOQuery1.State(), State::Browse);
  EXPECT_EQ(w->ADOQuery1.RecordCount(), 3);
  EXPECT_EQ(StoredRows().size(), 3u);
  EXPECT_TRUE(EntryBoxesEnabled());
}

TEST_F(CustFrmStateTest, DeleteAsksAndRemovesTheCurrentRow) {
  Press(B::Next);
  Answer({ui::Answer::Cancel});
  Press(B::Del);
  EXPECT_EQ(StoredRows().size(), 3u);
  Press(B::Del);
  EXPECT_EQ(TakeTexts().size(), 2u);
  EXPECT_FALSE(Stored("S002"));
  EXPECT_EQ(w->Panel2->DBEdit1->text(), "S003");
  EXPECT_FALSE(EntryBoxesEnabled());
}

TEST_F(CustFrmStateTest, EditThenSaveTwiceReportsTheSecondWithoutSuccess) {
  Press(B::Edit);
  EXPECT_EQ(w->ADOQuery1.State(), State::Edit);
  EXPECT_EQ(w->AddFlag, 0);
  Type(w->Panel2->DBEdit3, "Full");
  Press(B::Save);
  EXPECT_EQ(TakeTexts(), (std::vector<QString>{"您確定要修改這筆記錄嗎？", "修改成功"}));
  EXPECT_EQ(Stored("S001")->at("all_name"), "Full");
  Press(B::Save);
  ASSERT_EQ(Shown().size(), 2u);
  EXPECT_EQ(Shown()[0].text, "您確定要修改這筆記錄嗎？");
  EXPECT_EQ(Shown()[1].kind, ui::Prompt::Kind::Error);
  EXPECT_EQ(Shown()[1].text, "ADOQuery1: Dataset not in edit or insert mode.");
}

TEST_F(CustFrmStateTest, NavigationMovesThroughTheRows) {
  Press(B::End);
  EXPECT_EQ(w->Panel2->DBEdit1->text(), "S003");
  Press(B::Next);
  EXPECT_EQ(w->ADOQuery1.RecNo(), 2);
  Press(B::Back);
  EXPECT_EQ(w->Panel2->DBEdit1->text(), "S002");
  Press(B::Top);
  Press(B::Back);
  EXPECT_EQ(w->Panel2->DBEdit1->text(), "S001");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(CustFrmStateTest, ANumberTypedWhileBrowsingIsStoredByTheNextMove) {
  Type(w->Panel2->DBEdit1, "X");
  EXPECT_EQ(w->ADOQuery1.State(), State::Edit);
  EXPECT_FALSE(EntryBoxesEnabled());
  Press(B::Next);
  EXPECT_TRUE(Stored("S001X"));
  EXPECT_FALSE(Stored("S001"));
}

TEST_F(CustFrmStateTest, MenuItemsActWhileTheButtonsAreDisabled) {
  ASSERT_FALSE(Enabled(B::Undo));
  w->Nedit->Action()->trigger();
  Type(w->Panel2->DBEdit2, "Menu");
  w->Ncancel->Action()->trigger();
  EXPECT_EQ(w->ADOQuery1.State(), State::Browse);
  EXPECT_FALSE(EntryBoxesEnabled());
  EXPECT_EQ(Stored("S001")->at("cust_name"), "Company 1");
  // The context menu's Save runs too: with nothing pending the post fails.
  w->N2->Action()->trigger();
  Type(w->Panel2->DBEdit2, "Popup");
  w->N6->Action()->trigger();
  EXPECT_EQ(TakeTexts(), (std::vector<QString>{"您確定要修改這筆記錄嗎？", "修改成功"}));
  EXPECT_EQ(Stored("S001")->at("cust_name"), "Company 1Popup");
  w->N4->Action()->trigger();
  w->Nsave->Action()->trigger();
  EXPECT_EQ(TakeTexts(), (std::vector<QString>{"您確定要修改這筆記錄嗎？",
                                               "ADOQuery1: Dataset not in edit or insert mode."}));
  w->Nappend->Action()->trigger();
  EXPECT_EQ(w->Panel2->DBEdit1->text(), "S004");
  w->Ndelte->Action()->trigger();
  EXPECT_EQ(w->ADOQuery1.State(), State::Browse);
}

// A number New cannot read, stored last, takes no part in finding the next
// one: it no longer blocks every New.
TEST_F(CustFrmStateTest, ABadNumberStoredLastDoesNotStopNew) {
  Seed({{{"cust_no", "S99X"}}});
  Press(B::New);
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(w->Panel2->DBEdit1->text(), "S004");
  EXPECT_EQ(w->ADOQuery1.State(), State::Insert);
  EXPECT_TRUE(EntryBoxesEnabled());
  EXPECT_EQ(w->AddFlag, 1);
}

TEST_F(CustFrmStateTest, NewAfterANarrowSearchContinuesFromTheWholeTable) {
  Seed({{{"cust_no", "S010"}}});
  w->Panel1->edtname->setText("S001");
  w->Panel1->BtnFind->click();
  ASSERT_EQ(w->ADOQuery1.RecordCount(), 1);
  Press(B::New);
  EXPECT_EQ(w->Panel2->DBEdit1->text(), "S011");
  EXPECT_EQ(w->ADOQuery1.RecordCount(), 5);
}

}  // namespace
