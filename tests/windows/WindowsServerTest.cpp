// The windows unchanged on a PostgreSQL server: the application's target
// points every connection there instead of data.mdb.
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

#include "CustFrmFixture.h"
#include "QuotationFixture.h"
#include "store/Connection.h"
#include "support/TestServer.h"
#include "ui/data/DBEdit.h"
#include "ui/data/IdleReader.h"
#include "windows/CustFrmEditPanel.h"
#include "windows/CustFrmSearchPanel.h"

namespace {

using B = ui::RecordToolBar::Button;

constexpr const char* kConflict =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

// Points the windows at a database of their own on the test server.
class ServerTarget {
 public:
  bool Start() {
    std::optional<std::string> uri = TestServer::Uri(&why);
    if (!uri) return false;
    database = std::make_unique<ServerDatabase>(*uri);
    store::Connection::SetTarget(database->Uri());
    return true;
  }
  ~ServerTarget() { store::Connection::SetTarget(""); }

  std::string why;
  std::unique_ptr<ServerDatabase> database;
};

class CustFrmServer : public CustFrmFixture {
 protected:
  void SetUp() override {
    CustFrmFixture::SetUp();
    if (!server.Start()) GTEST_SKIP() << "PostgreSQL test skipped: " << server.why;
    SeedNumbered(3);
  }
  ServerTarget server;
};

TEST_F(CustFrmServer, NewAndSaveStoreTheCustomerOnTheServerAndTheSecondOfTwoSavesIsRefused) {
  TCustFrm& first = *OpenWindow();
  TCustFrm& second = *OpenWindow();
  first.ToolBar1->Action(B::New)->trigger();
  EXPECT_EQ(first.Panel2->DBEdit1->text(), "S004");
  Type(first.Panel2->DBEdit2, "Alpha");
  first.ToolBar1->Action(B::Save)->trigger();
  EXPECT_EQ(TakeTexts(), (std::vector<QString>{"您確定要保存這筆記錄嗎？", "保存成功"}));
  EXPECT_EQ(server.database->Scalar("select cust_name from customer where cust_no = 'S004'"), "Alpha");
  // The other window finds it after a search.
  second.Panel1->edtname->setText("S004");
  second.Panel1->BtnFind->click();
  EXPECT_EQ(Numbers(second), std::vector<std::string>{"S004"});

  // Both on S004: the first save lands, the second is refused and keeps its typing.
  for (TCustFrm* window : {&first, &second}) {
    window->ADOQuery1.Locate("cust_no", "S004");
    window->ToolBar1->Action(B::Edit)->trigger();
  }
  Type(first.Panel2->DBEdit3, "Alpha Ltd");
  first.ToolBar1->Action(B::Save)->trigger();
  TakeTexts();
  Type(second.Panel2->DBEdit3, "Alpha Inc");
  second.ToolBar1->Action(B::Save)->trigger();
  const std::vector<QString> texts = TakeTexts();
  EXPECT_TRUE(std::find(texts.begin(), texts.end(), QString(kConflict)) != texts.end()) << texts.size();
  EXPECT_EQ(second.ADOQuery1.State(), store::DataSetState::Edit);
  EXPECT_EQ(second.Panel2->DBEdit3->text(), "Alpha Inc");
  EXPECT_EQ(server.database->Scalar("select all_name from customer where cust_no = 'S004'"), "Alpha Ltd");
}

TEST_F(CustFrmServer, NewOverMoreCustomersThanTheFirstRowsReadTakesTheNextNumber) {
  server.database->Execute(
      "insert into customer (cust_no) select 'S' || lpad(i::text, 3, '0') from generate_series(4, 200) i");
  ui::IdleReader reader;  // the program's reading in slices
  TCustFrm& window = *OpenWindow();
  window.ToolBar1->Action(B::New)->trigger();
  EXPECT_EQ(window.Panel2->DBEdit1->text(), "S201");
  EXPECT_EQ(window.ADOQuery1.RecordCount(), 201);
}

std::vector<std::string> Sorted(std::vector<std::string> values) {
  std::sort(values.begin(), values.end());
  return values;
}

class QuotationServer : public QuotationFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    if (!server.Start()) GTEST_SKIP() << "PostgreSQL test skipped: " << server.why;
    SeedSample();
  }
  ServerTarget server;
};

TEST_F(QuotationServer, SearchShowsTheHeadersWithTheirLinesAndALineTypedInIsStored) {
  TQuotation* window = OpenWindow();
  window->EdtCustNo->setText("S0");
  window->BtnFindClick();
  EXPECT_EQ(Sorted(Column(window->ADODataSetMaster, "Cust_no")),
            (std::vector<std::string>{"S001", "S002", "S010"}));
  ASSERT_TRUE(window->ADODataSetMaster.Locate("Cust_no", "S001"));
  EXPECT_EQ(Column(window->ADODataSetDilate, "name_number"),
            (std::vector<std::string>{"nut", "washer", "spring"}));

  window->PageControl1->setCurrentWidget(window->QuotationInput);
  store::RecordSet& lines = window->ADODataSetDilate;
  lines.Append();
  EXPECT_EQ(Current(lines, "Cust_no"), "S001");
  lines.FieldByName("name_number").SetAsString("彩盒");
  lines.FieldByName("price").SetAsString("0.05");
  window->ADODataSetMaster.Next();  // moving to another header writes the line
  EXPECT_EQ(
      server.database->Scalar("select price from QuoDilate where name_number = '彩盒' and Cust_no = 'S001' "
                              "and quotation_number = 'Q1'"),
      "0.05");
}

// Two programs: after the first deletes a quotation, a line the second adds
// under it is refused with a message and stays as typed.
TEST_F(QuotationServer, ALineUnderAHeaderDeletedElsewhereIsRefusedAndKept) {
  TQuotation* first = OpenWindow();
  TQuotation* second = OpenWindow();
  for (TQuotation* window : {first, second}) {
    window->BtnFind->click();  // S'01, S001, S002, S010
    window->BtnNext->trigger();
  }
  Answer({ui::Answer::Ok});
  first->BtnDel->trigger();
  TakeTexts();
  ASSERT_EQ(server.database->Scalar("select count(*) from Quomaster where Cust_no = 'S001'"), "0");

  store::RecordSet& lines = second->ADODataSetDilate;
  lines.Append();
  lines.FieldByName("name_number").SetAsString("彩盒");
  second->BtnNext->trigger();  // moving on writes the line
  EXPECT_EQ(TakeTexts(),
            std::vector<QString>{
                "這筆明細所屬的報價單已不存在（可能已被其他使用者刪除或更改），明細未保存，請重新查詢。"});
  EXPECT_EQ(Current(second->ADODataSetMaster, "Cust_no"), "S001");
  EXPECT_EQ(lines.State(), store::DataSetState::Insert);
  EXPECT_EQ(Current(lines, "name_number"), "彩盒");
  EXPECT_EQ(server.database->Scalar("select count(*) from QuoDilate where Cust_no = 'S001'"), "0");
}

}  // namespace
