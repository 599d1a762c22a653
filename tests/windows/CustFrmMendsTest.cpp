// Typed data is never lost silently, and a refused save is not reported as saved.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include "CustFrmFixture.h"
#include "ui/app/RecordToolBar.h"
#include "ui/data/DBEdit.h"
#include "windows/CustFrmEditPanel.h"
#include "windows/CustFrmSearchPanel.h"

namespace {

using B = ui::RecordToolBar;
using State = store::DataSetState;

class CustFrmMendsTest : public CustFrmOpenFixture {
 protected:
  std::vector<ui::Prompt::Kind> TakeKinds() {
    std::vector<ui::Prompt::Kind> kinds;
    for (const ui::Prompt& prompt : Shown()) kinds.push_back(prompt.kind);
    ui::Prompts::ClearRecorded();
    return kinds;
  }
};

using K = ui::Prompt::Kind;

TEST_F(CustFrmMendsTest, ARefusedSaveKeepsTheRowAndAnnouncesNoSuccess) {
  Press(B::New);
  Type(w->Panel2->DBEdit2, "Epsilon");
  ui::DBEdit* date = w->Panel2->DBEdit10;
  Type(date, "x");
  Press(B::Save);
  ASSERT_EQ(Shown().size(), 2u);
  EXPECT_EQ(Shown()[0].text, "您確定要保存這筆記錄嗎？");
  EXPECT_EQ(Shown()[1].kind, K::Error);
  EXPECT_TRUE(Shown()[1].text.contains("is not a valid date")) << Shown()[1].text.toStdString();
  ui::Prompts::ClearRecorded();
  EXPECT_EQ(w->ADOQuery1.State(), State::Insert);
  EXPECT_TRUE(w->Panel2->DBEdit2->isEnabled());
  EXPECT_EQ(w->AddFlag, 1);
  EXPECT_FALSE(Stored("S004"));
  // Corrected, the same row saves as a new one.
  QTest::keyClick(date, Qt::Key_Backspace);
  Press(B::Save);
  EXPECT_EQ(TakeTexts(), (std::vector<QString>{"您確定要保存這筆記錄嗎？", "保存成功"}));
  ASSERT_TRUE(Stored("S004"));
  EXPECT_EQ(Stored("S004")->at("cust_name"), "Epsilon");
  EXPECT_EQ(w->AddFlag, 0);
}

TEST_F(CustFrmMendsTest, ANumberTakenMeanwhileIsRefusedAndCanBeCorrected) {
  TCustFrm& other = *OpenWindow();
  Press(B::New);
  other.ToolBar1->Action(B::New)->trigger();
  ASSERT_EQ(other.Panel2->DBEdit1->text(), "S004");
  Type(w->Panel2->DBEdit2, "Mine");
  Type(other.Panel2->DBEdit2, "Theirs");
  other.ToolBar1->Action(B::Save)->trigger();
  ui::Prompts::ClearRecorded();
  Press(B::Save);
  EXPECT_EQ(TakeKinds(), (std::vector<K>{K::Confirm, K::Error}));
  EXPECT_EQ(w->ADOQuery1.State(), State::Insert);
  EXPECT_EQ(w->AddFlag, 1);
  EXPECT_TRUE(w->Panel2->DBEdit2->isEnabled());
  QTest::keyClick(w->Panel2->DBEdit1, Qt::Key_A, Qt::ControlModifier);
  Type(w->Panel2->DBEdit1, "S005");
  Press(B::Save);
  EXPECT_EQ(TakeTexts(), (std::vector<QString>{"您確定要保存這筆記錄嗎？", "保存成功"}));
  EXPECT_EQ(Stored("S004")->at("cust_name"), "Theirs");
  EXPECT_EQ(Stored("S005")->at("cust_name"), "Mine");
}

TEST_F(CustFrmMendsTest, ClosingWithTypedChangesAsksFirst) {
  QPointer<TCustFrm> window = w;
  w->show();
  Press(B::Edit);
  Type(w->Panel2->DBEdit2, "Zeta");
  Answer({ui::Answer::Cancel});
  EXPECT_FALSE(w->close());
  EXPECT_EQ(TakeKinds(), std::vector<K>{K::Question});
  EXPECT_EQ(w->ADOQuery1.State(), State::Edit);
  Answer({ui::Answer::Yes});
  EXPECT_TRUE(w->close());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(Stored("S001")->at("cust_name"), "Company 1Zeta");
}

TEST_F(CustFrmMendsTest, ClosingWithABadDateAsksAndOnlyDiscardLetsItGo) {
  QPointer<TCustFrm> window = w;
  w->show();
  Press(B::Edit);
  Type(w->Panel2->DBEdit10, "x");
  Answer({ui::Answer::Cancel});
  Press(B::Exit);
  EXPECT_EQ(TakeKinds(), std::vector<K>{K::Question});
  Answer({ui::Answer::Yes});
  EXPECT_FALSE(w->close());
  EXPECT_EQ(TakeKinds(), (std::vector<K>{K::Question, K::Error}));
  EXPECT_EQ(w->Panel2->DBEdit10->text(), "x");
  Answer({ui::Answer::No});
  Press(B::Exit);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(Stored("S001")->at("create_date"), "");
}

TEST_F(CustFrmMendsTest, ClosingCanDropTheTypedChanges) {
  Press(B::New);
  Type(w->Panel2->DBEdit2, "Eta");
  Answer({ui::Answer::No});
  w->ToolBar1->Action(B::Exit)->trigger();
  EXPECT_EQ(TakeKinds(), std::vector<K>{K::Question});
  EXPECT_EQ(StoredRows().size(), 3u);
}

TEST_F(CustFrmMendsTest, FindAndNewAskBeforeDroppingTypedChanges) {
  Press(B::New);
  Type(w->Panel2->DBEdit2, "Theta");
  w->Panel1->edtname->setText("S002");
  Answer({ui::Answer::Cancel});
  w->Panel1->BtnFind->click();
  EXPECT_EQ(TakeKinds(), std::vector<K>{K::Question});
  EXPECT_EQ(w->ADOQuery1.State(), State::Insert);
  EXPECT_EQ(w->Panel2->DBEdit2->text(), "Theta");

  Answer({ui::Answer::No});
  Press(B::New);
  EXPECT_EQ(TakeKinds(), std::vector<K>{K::Question});
  EXPECT_EQ(w->Panel2->DBEdit1->text(), "S004");
  EXPECT_EQ(w->Panel2->DBEdit2->text(), "");
  EXPECT_EQ(StoredRows().size(), 3u);

  Type(w->Panel2->DBEdit2, "Iota");
  Answer({ui::Answer::Yes});
  w->Panel1->BtnFind->click();
  EXPECT_EQ(TakeKinds(), std::vector<K>{K::Question});
  EXPECT_EQ(Stored("S004")->at("cust_name"), "Iota");
  EXPECT_EQ(Numbers(*w), std::vector<std::string>{"S002"});
}

TEST_F(CustFrmMendsTest, AnUntouchedNewRowGoesWithoutAQuestion) {
  Press(B::New);
  Press(B::New);
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(w->Panel2->DBEdit1->text(), "S004");
  QPointer<TCustFrm> window = w;
  EXPECT_TRUE(w->close());
  EXPECT_TRUE(Shown().empty());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(StoredRows().size(), 3u);
}

}  // namespace
