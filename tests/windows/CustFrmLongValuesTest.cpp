// Long values in the customer window's boxes: a paste is taken whole and saved
// whole, and a box not being edited shows where its value starts.
#include <QClipboard>
#include <QGuiApplication>

#include "CustFrmFixture.h"
#include "ui/data/DBEdit.h"
#include "windows/CustFrmEditPanel.h"

namespace {

using B = ui::RecordToolBar;

const QString kEmail = "sales.department.contact.person.01@example.com.tw";

class CustFrmLongValuesTest : public CustFrmFixture {
 protected:
  void SetUp() override {
    CustFrmFixture::SetUp();
    Seed({{{"cust_no", "S001"}, {"cust_name", "Alpha"}, {"email", kEmail.toStdString()}},
          {{"cust_no", "S002"}, {"cust_name", "Beta"}, {"email", "b@example.com"}}});
    w = OpenWindow();
    w->show();
    QApplication::setActiveWindow(w);
  }
  void Press(B::Button button) { w->ToolBar1->Action(button)->trigger(); }

  // What the box shows begins with the value's first character.
  static bool ShowsTheStart(ui::DBEdit* box) {
    return box->cursorPosition() == 0 &&
           box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < box->width() / 4;
  }

  TCustFrm* w = nullptr;
};

TEST_F(CustFrmLongValuesTest, APastedAddressIsSavedWhole) {
  const QString address = QString("台北市信義路").repeated(6667).left(40000);
  ASSERT_EQ(address.size(), 40000);
  Press(B::Edit);
  ui::DBEdit* box = w->Panel2->DBEdit4;
  box->setFocus(Qt::MouseFocusReason);
  QGuiApplication::clipboard()->setText(address);
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box->text().size(), 40000);
  Press(B::Save);
  EXPECT_EQ(TakeTexts(), (std::vector<QString>{"您確定要修改這筆記錄嗎？", "修改成功"}));
  ASSERT_TRUE(Stored("S001"));
  EXPECT_EQ(QString::fromStdString(Stored("S001")->at("incaddr")), address);
  EXPECT_EQ(box->text(), address);
}

TEST_F(CustFrmLongValuesTest, ABoxNotBeingEditedShowsTheStartOfItsValue) {
  ui::DBEdit* email = w->Panel2->DBEdit9;
  ASSERT_GT(email->fontMetrics().horizontalAdvance(kEmail), email->width()) << "the value must be longer";
  EXPECT_EQ(email->text(), kEmail);
  EXPECT_TRUE(ShowsTheStart(email)) << "when the window opens";
  Press(B::Next);
  Press(B::Back);
  EXPECT_TRUE(ShowsTheStart(email)) << "after moving back to the row";

  // Typed at its end, then left: the start shows again.
  Press(B::Edit);
  email->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(email, Qt::Key_End);
  QTest::keyClicks(email, "w");
  EXPECT_FALSE(ShowsTheStart(email)) << "while typing at its end";
  QTest::keyClick(email, Qt::Key_Tab);
  ASSERT_FALSE(email->hasFocus());
  EXPECT_EQ(email->text(), kEmail + "w");
  EXPECT_TRUE(ShowsTheStart(email)) << "after the focus left it";
}

}  // namespace
