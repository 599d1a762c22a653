// The customer lookup window opened from a quotation window.
#include <QHeaderView>
#include <QLineEdit>
#include <QToolButton>

#include "QuotationFixture.h"
#include "ui/data/DBEdit.h"
#include "windows/CustomFindUnt.h"

namespace {

class CustmoterFind : public QuotationFixture {
 protected:
  TCustmoterFindFrm* PressLookup(TQuotation* window) {
    QTest::mouseClick(window->BtnCustNoFind, Qt::LeftButton);
    return CustmoterFindFrm.data();
  }

  // Makes a row of the lookup grid current with a click on its name cell.
  static void Pick(TCustmoterFindFrm* lookup, int row) {
    ClickCell(lookup->DBGrid1, row, lookup->ADOQuery1.FieldByName("cust_name").Index());
  }
};

TEST_F(CustmoterFind, EachPressOpensAnotherOwnedWindowListingEveryCustomer) {
  TQuotation* window = OpenWindow();
  TCustmoterFindFrm* first = PressLookup(window);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->objectName(), "CustmoterFindFrm");
  EXPECT_EQ(first->windowTitle(), "客戶資料查詢");
  EXPECT_TRUE(first->isWindow());
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->parent(), window);
  EXPECT_EQ(first->geometry().size(), QSize(414, 236));
  EXPECT_EQ(first->ADOQuery1.RecordCount(), 4);
  EXPECT_EQ(first->DBGrid1->model()->columnCount(), first->ADOQuery1.FieldCount());
  EXPECT_EQ(first->DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), "cust_no");
  EXPECT_FALSE(first->DBGrid1->ReadOnly());
  EXPECT_EQ(first->ADOConnection1.ConnectionString(), store::kShareDenyNoneConnectionString);

  TCustmoterFindFrm* second = PressLookup(window);
  EXPECT_NE(second, first);
  EXPECT_EQ(window->findChildren<TCustmoterFindFrm*>().size(), 2);
  first->close();  // only hides
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(window->findChildren<TCustmoterFindFrm*>().size(), 2);
}

TEST_F(CustmoterFind, LookupWindowsGoWithTheirQuotationWindow) {
  TQuotation* window = OpenWindow();
  QPointer<TCustmoterFindFrm> first = PressLookup(window);
  QPointer<TCustmoterFindFrm> second = PressLookup(window);
  second->close();
  ASSERT_TRUE(window->close());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  EXPECT_TRUE(second.isNull());
}

TEST_F(CustmoterFind, AClickMovesTheNameBoxButNotTheHeadersNumber) {
  TQuotation* window = OpenWindow();
  TCustmoterFindFrm* lookup = PressLookup(window);
  Pick(lookup, 2);
  EXPECT_EQ(window->DBEdit2->text(), "Gamma");
  Pick(lookup, 1);
  EXPECT_EQ(window->DBEdit2->text(), "Beta");
  EXPECT_TRUE(window->DBEdit1->text().isEmpty());
  EXPECT_TRUE(lookup->isVisible());
  lookup->ADOQuery1.First();  // moves the lookup's row without a click
  QHeaderView* titles = lookup->DBGrid1->horizontalHeader();
  QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, QPoint(titles->sectionPosition(1) + 5, 5));
  EXPECT_EQ(window->DBEdit2->text(), "Beta");
}

TEST_F(CustmoterFind, AClickOnACustomerOutsideTheNarrowedSetChangesNothing) {
  TQuotation* window = OpenWindow();
  window->BtnNew->trigger();
  Type(window->DBEdit1, "S00");  // the customer set now holds S001 and S002
  TCustmoterFindFrm* lookup = PressLookup(window);
  Pick(lookup, 1);
  EXPECT_EQ(window->DBEdit2->text(), "Beta");
  Pick(lookup, 2);  // S010 is not in the set
  EXPECT_EQ(window->DBEdit2->text(), "Beta");
  EXPECT_EQ(window->DBEdit1->text(), "S00");
}

TEST_F(CustmoterFind, TheClickActsOnItsOwnerNotOnTheNewestWindow) {
  TQuotation* older = OpenWindow();
  TCustmoterFindFrm* lookup = PressLookup(older);
  TQuotation* newer = OpenWindow();
  Quotation = newer;
  Pick(lookup, 3);
  EXPECT_EQ(older->DBEdit2->text(), "Delta");
  EXPECT_EQ(newer->DBEdit2->text(), "Alpha");
  ASSERT_TRUE(newer->close());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  Pick(lookup, 1);  // the newest is gone; the owner still answers
  EXPECT_EQ(older->DBEdit2->text(), "Beta");
}

TEST_F(CustmoterFind, ADoubleClickWritesTheNumberOnlyWhileTheHeaderIsOpenForEntry) {
  TQuotation* window = OpenWindow();
  TCustmoterFindFrm* lookup = PressLookup(window);
  const QRect cell = lookup->DBGrid1->visualRect(lookup->DBGrid1->model()->index(2, 1));
  QTest::mouseDClick(lookup->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_TRUE(window->DBEdit1->text().isEmpty());  // fields locked: nothing written

  window->BtnNew->trigger();
  QTest::mouseDClick(lookup->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(window->DBEdit1->text(), "S010");
  EXPECT_EQ(window->DBEdit2->text(), "Gamma");
  Type(window->DBEdit3, "Q80");
  window->BtnSave->trigger();
  bool stored = false;
  for (const Row& row : Stored("Quomaster"))
    stored |= row.at("Cust_no") == "S010" && row.at("quotation_number") == "Q80";
  EXPECT_TRUE(stored);
}

TEST_F(CustmoterFind, ANameChangedInTheLookupGridIsStored) {
  TQuotation* window = OpenWindow();
  TCustmoterFindFrm* lookup = PressLookup(window);
  const int name = lookup->ADOQuery1.FieldByName("cust_name").Index();
  ASSERT_TRUE(
      lookup->DBGrid1->model()->setData(lookup->DBGrid1->model()->index(0, name), "Alpha Ltd", Qt::EditRole));
  Pick(lookup, 1);
  EXPECT_EQ(Stored("customer").front().at("cust_name"), "Alpha Ltd");
  EXPECT_EQ(window->DBEdit2->text(), "Beta");
}

TEST_F(CustmoterFind, ClosingTheQuotationWindowAsksAboutAnEditInAHiddenLookupWindow) {
  TQuotation* window = OpenWindow();
  TCustmoterFindFrm* lookup = PressLookup(window);
  const int name = lookup->ADOQuery1.FieldByName("cust_name").Index();
  ASSERT_TRUE(
      lookup->DBGrid1->model()->setData(lookup->DBGrid1->model()->index(1, name), "Beta Co", Qt::EditRole));
  lookup->close();
  Answer({ui::Answer::Cancel});
  EXPECT_FALSE(window->close());
  Answer({ui::Answer::Yes});
  EXPECT_TRUE(window->close());
  EXPECT_EQ(TakeTexts().size(), 2u);
  EXPECT_EQ(Stored("customer")[1].at("cust_name"), "Beta Co");
}

TEST_F(CustmoterFind, ANameTypedIntoTheNameBoxIsAskedAboutBeforeAClickOrExitLeavesIt) {
  TQuotation* window = OpenWindow();
  TCustmoterFindFrm* lookup = PressLookup(window);
  Type(window->DBEdit2, "x");  // Alpha becomes Alphax
  Answer({ui::Answer::Cancel});
  Pick(lookup, 1);
  EXPECT_EQ(TakeTexts(), std::vector<QString>({"這筆記錄已修改，是否保存？"}));
  EXPECT_EQ(window->DBEdit2->text(), "Alphax");
  Answer({ui::Answer::No});
  Pick(lookup, 2);
  EXPECT_EQ(TakeTexts().size(), 1u);
  EXPECT_EQ(window->DBEdit2->text(), "Gamma");

  Type(window->DBEdit2, "y");
  Answer({ui::Answer::Cancel});
  window->BtnExit->trigger();
  EXPECT_EQ(TakeTexts().size(), 1u);
  ASSERT_TRUE(window->isVisible());
  Answer({ui::Answer::Yes});
  window->BtnExit->trigger();
  EXPECT_FALSE(window->isVisible());
  std::vector<std::string> names;
  for (const Row& row : Stored("customer")) names.push_back(row.at("cust_name"));
  EXPECT_EQ(names, std::vector<std::string>({"Alpha", "Beta", "Gammay", "Delta"}));
}

}  // namespace
