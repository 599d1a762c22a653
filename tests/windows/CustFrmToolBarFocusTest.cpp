// A click on the record toolbar leaves the focus in the box being typed into:
// the typed text is taken by the handler's post, after its prompt.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

#include "CustFrmFixture.h"
#include "ui/app/RecordToolBar.h"
#include "ui/data/DBEdit.h"
#include "windows/CustFrmEditPanel.h"

namespace {

using B = ui::RecordToolBar;
using K = ui::Prompt::Kind;

class CustFrmToolBarFocusTest : public CustFrmOpenFixture {
 protected:
  void SetUp() override {
    CustFrmOpenFixture::SetUp();
    area.resize(700, 600);
    area.addSubWindow(w)->resize(550, 450);
    area.show();
    QApplication::setActiveWindow(&area);
  }

  void Click(B::Button button) {
    auto* tool = qobject_cast<QToolButton*>(w->ToolBar1->widgetForAction(w->ToolBar1->Action(button)));
    ASSERT_NE(tool, nullptr);
    QTest::mouseClick(tool, Qt::LeftButton);
  }

  QMdiArea area;
};

TEST_F(CustFrmToolBarFocusTest, ABadDateIsReportedAfterTheSaveQuestion) {
  Press(B::Edit);
  ui::DBEdit* date = w->Panel2->DBEdit10;
  date->setFocus();
  ASSERT_TRUE(date->hasFocus());
  date->selectAll();
  Type(date, "x");
  Answer({ui::Answer::Ok});
  Click(B::Save);
  std::vector<K> kinds;
  for (const ui::Prompt& prompt : Shown()) kinds.push_back(prompt.kind);
  EXPECT_EQ(kinds, (std::vector<K>{K::Confirm, K::Error}));
  EXPECT_TRUE(date->hasFocus());
  EXPECT_EQ(w->ADOQuery1.State(), store::DataSetState::Edit);
}

TEST_F(CustFrmToolBarFocusTest, TypingGoesOnInTheSameBoxAfterAClick) {
  Press(B::Edit);
  ui::DBEdit* name = w->Panel2->DBEdit2;
  name->setFocus();
  Type(name, "X");
  Click(B::Next);
  EXPECT_TRUE(name->hasFocus());
  EXPECT_EQ(Stored("S001")->at("cust_name"), "Company 1X");
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
