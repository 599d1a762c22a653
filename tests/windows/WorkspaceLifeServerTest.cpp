// A quotation's life in the workspace, driven through its widgets on either
// store (the server's runs need the test server, hence the name): the
// register's state and filter, issuing from PDF, a save making a revision,
// and two users revising one quotation.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>

#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/life/IssuedBytes.h"
#include "store/life/StateCaption.h"
#include "support/PromptScript.h"
#include "support/StoreDatabase.h"
#include "support/Typing.h"
#include "ui/app/FileDialogs.h"
#include "windows/QuotationLifePanel.h"
#include "windows/WorkspaceHeaderPanel.h"
#include "windows/WorkspaceLineGrid.h"
#include "windows/WorkspaceRegisterModel.h"
#include "windows/WorkspaceUnt.h"

using namespace store::life;

namespace {

class WorkspaceLifeTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    QStandardPaths::setTestModeEnabled(true);
    db.Execute(
        "insert into customer (cust_no, cust_name, email) values ('S001', '宏達電子', "
        "'buyer@example.com.tw');"
        "insert into Quomaster (Cust_no, quotation_number, pay_mode, money_type, tax_type, tax_rate, "
        "quotation_date, availability_date) values ('S001', 'Q1', '現金', 'NTD', '應稅', 0.05, '2026-12-01', "
        "'2099-12-31'), ('S001', 'Q2', '現金', 'NTD', '應稅', 0.05, '2026-12-02', '2099-12-31');"
        "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, amount, price, totle) "
        "values ('S001', 'Q1', 1, '彩盒', 500, 9.1, 4550)");
    store::Connection::SetTarget(db.Target());
    ui::FileDialogs::SetResponders([this](const ui::FileRequest&) { return savePath; },
                                   [](QDialog&) { return false; });
  }

  void TearDown() override {
    for (TQuotationWorkspace* window : windows) delete window;
    ui::FileDialogs::ClearResponders();
    store::Connection::SetTarget("");
  }

  TQuotationWorkspace* Open() {
    windows.push_back(new TQuotationWorkspace());
    windows.back()->show();
    return windows.back();
  }

  // Chooses a quotation in the register as a click would.
  static void Choose(TQuotationWorkspace& window, const std::string& number) {
    const int row = window.RegisterModel->Find("S001", number);
    ASSERT_GE(row, 0) << number;
    window.RegisterGrid->setCurrentIndex(
        window.RegisterSort->mapFromSource(window.RegisterModel->index(row, 0)));
  }

  static QString Cell(TQuotationWorkspace& window, const std::string& number, int column) {
    return window.RegisterModel->index(window.RegisterModel->Find("S001", number), column).data().toString();
  }

  static void Retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    TypeText(box, text);
  }

  StoreDatabase db{GetParam()};
  std::vector<TQuotationWorkspace*> windows;
  QTemporaryDir folder;
  QString savePath = folder.filePath("sent.pdf");
  PromptScript prompts;
};

TEST_P(WorkspaceLifeTest, PdfIssuesTheQuotationAndAnEditAfterwardsMakesTheNextRevision) {
  TQuotationWorkspace& window = *Open();
  EXPECT_EQ(Cell(window, "Q1", WorkspaceRegisterModel::State), "草稿");
  Choose(window, "Q1");
  window.ActPdf->trigger();  // saving a draft as PDF issues it
  EXPECT_TRUE(PromptScript::TakeTexts().empty());
  EXPECT_EQ(Cell(window, "Q1", WorkspaceRegisterModel::State), "已發出");
  EXPECT_EQ(Cell(window, "Q1", WorkspaceRegisterModel::Sent), "Q1");
  QFile saved(savePath);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const std::vector<IssuedCopy> copies = window.LifePanel->Life().IssuedCopies({"S001", "Q1"});
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(saved.readAll().toStdString(), copies[0].pdf);

  Retype(window.HeaderPanel->TaxRateBox, "0.17");
  window.LineGrid->SetCell(0, WorkspaceLineGrid::Price, "9.5");
  window.ActSave->trigger();
  EXPECT_TRUE(PromptScript::TakeTexts().empty());
  EXPECT_EQ(window.LifePanel->LifeState->text(), "狀態：草稿　版本：Q1-R1");
  EXPECT_EQ(Cell(window, "Q1", WorkspaceRegisterModel::Sent), "Q1");  // the customer still has Q1
  // Saving the PDF again issues the new revision; the first copy's bytes stay.
  window.ActPdf->trigger();
  EXPECT_EQ(Cell(window, "Q1", WorkspaceRegisterModel::Sent), "Q1-R1");
  const std::vector<IssuedCopy> both = window.LifePanel->Life().IssuedCopies({"S001", "Q1"});
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0].pdf, copies[0].pdf);
  EXPECT_EQ(both[0].sha256, Sha256Hex(copies[0].pdf));
  EXPECT_TRUE(both[0].superseded);
  EXPECT_EQ(both[1].number, "Q1-R1");
  EXPECT_EQ(both[1].snapshot.HeaderValue("tax_rate"), "0.17");
  std::vector<std::string> whats;
  for (const HistoryEntry& entry : window.LifePanel->Life().History({"S001", "Q1"}))
    whats.push_back(entry.what);
  EXPECT_EQ(whats, (std::vector<std::string>{"issued", "state", "revision", "state", "header", "line changed",
                                             "line changed", "issued", "state"}));
}

TEST_P(WorkspaceLifeTest, TheRegisterFiltersByState) {
  TQuotationWorkspace& window = *Open();
  Choose(window, "Q1");
  window.LifePanel->BtnIssue->click();
  EXPECT_EQ(PromptScript::TakeTexts(), std::vector<QString>{});
  window.StateFilter->setCurrentText("已發出");
  EXPECT_EQ(window.RegisterSort->rowCount(), 1);
  EXPECT_EQ(window.RegisterCount->text(), "共 1 筆報價單");
  window.StateFilter->setCurrentText("草稿");
  ASSERT_EQ(window.RegisterSort->rowCount(), 1);
  EXPECT_EQ(window.RegisterSort->index(0, WorkspaceRegisterModel::Number).data().toString(), "Q2");
  window.StateFilter->setCurrentIndex(0);
  EXPECT_EQ(window.RegisterSort->rowCount(), 2);
}

TEST_P(WorkspaceLifeTest, OfTwoUsersRevisingOneQuotationTheSecondIsRefusedAndKeepsTheTyping) {
  TQuotationWorkspace& first = *Open();
  TQuotationWorkspace& second = *Open();
  Choose(first, "Q1");
  first.LifePanel->BtnIssue->click();
  second.RunSearch();
  Choose(second, "Q1");
  EXPECT_EQ(second.LifePanel->LifeState->text(), "狀態：已發出　版本：Q1");
  Retype(first.HeaderPanel->TaxRateBox, "0.17");
  first.ActSave->trigger();
  const std::string history = db.Scalar("select count(*) from QuoHistory");
  Retype(second.HeaderPanel->TaxRateBox, "0");
  second.ActSave->trigger();
  EXPECT_EQ(PromptScript::TakeTexts(), std::vector<QString>{QString(store::kRowChangedConflict)});
  EXPECT_EQ(second.HeaderPanel->TaxRateBox->text(), "0");
  EXPECT_TRUE(second.Unsaved());
  EXPECT_EQ(db.Scalar("select count(*) from QuoHistory"), history);
  EXPECT_EQ(db.Scalar("select revision from QuoLife"), "1");
  EXPECT_EQ(db.Scalar("select tax_rate from Quomaster where quotation_number = 'Q1'"), "0.17");
}

TEST_P(WorkspaceLifeTest, AnIssuedQuotationIsCancelledRatherThanDeleted) {
  TQuotationWorkspace& window = *Open();
  Choose(window, "Q1");
  window.LifePanel->BtnIssue->click();
  window.ActDelete->trigger();  // OK to "delete Q1 and its line?"
  const std::vector<QString> shown = PromptScript::TakeTexts();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1], QString(kIssuedNotDeleted));
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate where quotation_number = 'Q1'"), "1");
  // A draft goes, and its history says so.
  Choose(window, "Q2");
  window.ActDelete->trigger();
  EXPECT_EQ(db.Scalar("select count(*) from Quomaster"), "1");
  EXPECT_EQ(db.Scalar("select what from QuoHistory where what = 'deleted'"), "deleted");
}

INSTANTIATE_TEST_SUITE_P(Stores, WorkspaceLifeTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
