// The search panel of the customer window.
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

class CustFrmSearchTest : public CustFrmFixture {
 protected:
  void SetUp() override {
    CustFrmFixture::SetUp();
    SeedNumbered(25);
  }
  void Find(TCustFrm& w, const QString& number, const QString& address) {
    w.Panel1->edtname->setText(number);
    w.Panel1->Edtaddress->setText(address);
    w.Panel1->BtnFind->click();
  }
};

TEST_F(CustFrmSearchTest, ButtonsWaitForTheFirstChangeAndThenStay) {
  TCustFrm& w = *OpenWindow();
  w.Panel1->BtnFind->click();
  EXPECT_EQ(w.ADOQuery1.RecordCount(), 25);
  Type(w.Panel1->Edtaddress, "x");
  EXPECT_TRUE(w.Panel1->BtnFind->isEnabled());
  EXPECT_TRUE(w.Panel1->BtnCancel->isEnabled());
  Find(w, "02", "");
  EXPECT_EQ(Numbers(w), (std::vector<std::string>{"S002", "S020", "S021", "S022", "S023", "S024", "S025"}));
  w.Panel1->BtnCancel->click();
  EXPECT_EQ(w.Panel1->edtname->text(), "");
  EXPECT_EQ(w.Panel1->Edtaddress->text(), "");
  EXPECT_TRUE(w.Panel1->BtnFind->isEnabled());
  EXPECT_TRUE(w.Panel1->BtnCancel->isEnabled());
  EXPECT_EQ(w.ADOQuery1.RecordCount(), 7);  // the last result stays
  w.Panel1->BtnFind->click();
  EXPECT_EQ(w.ADOQuery1.RecordCount(), 25);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(CustFrmSearchTest, TheNumberBoxWinsOverTheAddressBox) {
  TCustFrm& w = *OpenWindow();
  Find(w, "01", "ROAD 3");
  EXPECT_EQ(Numbers(w), (std::vector<std::string>{"S001", "S010", "S011", "S012", "S013", "S014", "S015",
                                                  "S016", "S017", "S018", "S019"}));
  EXPECT_EQ(w.ADOQuery1.RecNo(), 0);
  EXPECT_EQ(w.Panel2->DBEdit1->text(), "S001");
  Find(w, "", "ROAD 3");
  EXPECT_EQ(Numbers(w), std::vector<std::string>{"S003"});
  EXPECT_EQ(w.Panel2->DBEdit2->text(), "Company 3");
}

TEST_F(CustFrmSearchTest, BlanksAndControlCharactersAreTrimmedButCountAsFilled) {
  Seed({{{"cust_no", "S100"}}});  // no address
  TCustFrm& w = *OpenWindow();
  Find(w, "\t 02 \n", "ROAD 3");
  EXPECT_EQ(w.ADOQuery1.RecordCount(), 7);
  Find(w, "", "   ");
  EXPECT_EQ(w.ADOQuery1.RecordCount(), 25);  // every row holding an address
  Find(w, "  ", "ROAD 3");
  EXPECT_EQ(w.ADOQuery1.RecordCount(), 26);
}

TEST_F(CustFrmSearchTest, NoMatchLeavesAnEmptyGridWhereDeleteFails) {
  TCustFrm& w = *OpenWindow();
  Find(w, "Z", "");
  EXPECT_EQ(w.ADOQuery1.RecordCount(), 0);
  EXPECT_EQ(w.Panel2->DBEdit1->text(), "");
  w.ToolBar1->Action(B::Del)->trigger();
  EXPECT_EQ(TakeTexts(),
            (std::vector<QString>{"您確定要刪除這筆記錄嗎？",
                                  "ADOQuery1: Cannot perform this operation on an empty dataset."}));
  w.ToolBar1->Action(B::New)->trigger();
  EXPECT_EQ(w.Panel2->DBEdit1->text(), "S026");
  EXPECT_EQ(w.ADOQuery1.RecordCount(), 26);
}

TEST_F(CustFrmSearchTest, TheAddressBoxTurnsTypedLettersIntoCapitals) {
  TCustFrm& w = *OpenWindow();
  Type(w.Panel1->Edtaddress, "road 2");
  EXPECT_EQ(w.Panel1->Edtaddress->text(), "ROAD 2");
  w.Panel1->BtnFind->click();
  EXPECT_EQ(Numbers(w), (std::vector<std::string>{"S002", "S020", "S021", "S022", "S023", "S024", "S025"}));
}

TEST_F(CustFrmSearchTest, AQuoteIsSearchedAsAQuote) {
  Seed({{{"cust_no", "S026"}, {"incaddr", "O'NEIL STREET"}},
        {{"cust_no", "S027"}, {"incaddr", "ONEIL STREET"}}});
  TCustFrm& w = *OpenWindow();
  Type(w.Panel1->Edtaddress, "o'n");
  w.Panel1->BtnFind->click();
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(Numbers(w), std::vector<std::string>{"S026"});
  Find(w, "'", "");
  EXPECT_EQ(w.ADOQuery1.State(), store::DataSetState::Browse);
  EXPECT_EQ(w.ADOQuery1.RecordCount(), 0);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(CustFrmSearchTest, PercentAndUnderscoreKeepTheirPatternMeaning) {
  TCustFrm& w = *OpenWindow();
  Find(w, "S0_1", "");
  EXPECT_EQ(Numbers(w), (std::vector<std::string>{"S001", "S011", "S021"}));
  Find(w, "2%5", "");
  EXPECT_EQ(Numbers(w), (std::vector<std::string>{"S025"}));
}

TEST_F(CustFrmSearchTest, FindDropsAnUntouchedNewRowAndLeavesTheBoxes) {
  TCustFrm& w = *OpenWindow();
  w.ToolBar1->Action(B::New)->trigger();
  Find(w, "S002", "");
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(Numbers(w), std::vector<std::string>{"S002"});
  EXPECT_EQ(w.ADOQuery1.State(), store::DataSetState::Browse);
  EXPECT_TRUE(w.Panel2->DBEdit2->isEnabled());
  EXPECT_EQ(w.AddFlag, 1);
  EXPECT_EQ(StoredRows().size(), 25u);
}

}  // namespace
