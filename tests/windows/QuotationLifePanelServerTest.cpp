// The quotation life panel driven as a user would, on either store (the
// server's runs need the test server, hence the name): its buttons, the
// reason box, the questions it asks, its views and e-mail.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include "store/Connection.h"
#include "store/life/IssuedBytes.h"
#include "store/life/StateCaption.h"
#include "support/PromptScript.h"
#include "support/StoreDatabase.h"
#include "support/Typing.h"
#include "ui/app/MailLauncher.h"
#include "windows/LifeHistoryDialog.h"
#include "windows/QuotationLifePanel.h"
#include "windows/RevisionCompareDialog.h"

using namespace store::life;

namespace {

const QuotationKey kQ1{"S001", "Q1"};

std::string Day(int fromToday) {
  using namespace std::chrono;
  return IsoDate(year_month_day(sys_days(LocalToday()) + days(fromToday)));
}

class QuotationLifePanelTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    QStandardPaths::setTestModeEnabled(true);
    db.Execute(
        "insert into customer (cust_no, cust_name, email) values ('S001', '宏達電子', "
        "'buyer@example.com.tw');"
        "insert into Quomaster (Cust_no, quotation_number, pay_mode, availability_date) values "
        "('S001', 'Q1', '現金', '" +
        Day(5) +
        "');"
        "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, amount, price, totle) "
        "values ('S001', 'Q1', 1, '彩盒', 500, 9.1, 4550)");
    db.Connect(connection);
    QuotationLifePanel::Hooks hooks;
    hooks.document = [this](const std::string& number) -> std::optional<documents::QuotationDocument> {
      printed.push_back(number);
      documents::QuotationDocument document;
      document.quotationNumber = number;
      document.header.push_back({"報價單號", documents::DocumentValue::Text(number)});
      return document;
    };
    hooks.copyKey = [](const QuotationKey& from) { return QuotationKey{from.customer, "Q2"}; };
    panel = std::make_unique<QuotationLifePanel>(nullptr, connection, hooks);
    panel->ShowQuotation(kQ1);
    panel->show();
  }

  void TearDown() override { ui::MailLauncher::ClearDesktop(); }

  static void Click(QPushButton* button) {
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
  }

  QString State() const { return panel->LifeState->text(); }

  template <typename Dialog>
  Dialog* Opened(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->objectName() == name && widget->isVisible()) return qobject_cast<Dialog*>(widget);
    return nullptr;
  }

  StoreDatabase db{GetParam()};
  store::Connection connection;
  std::unique_ptr<QuotationLifePanel> panel;
  std::vector<std::string> printed;
  PromptScript prompts;
};

TEST_P(QuotationLifePanelTest, TheButtonsMoveTheStateAsTheRulesAllow) {
  EXPECT_EQ(State(), "狀態：草稿　版本：Q1");
  EXPECT_FALSE(panel->BtnAccept->isEnabled());
  EXPECT_FALSE(panel->BtnUndoState->isEnabled());
  Click(panel->BtnIssue);
  EXPECT_EQ(State(), "狀態：已發出　版本：Q1");
  EXPECT_EQ(printed, std::vector<std::string>{"Q1"});
  EXPECT_FALSE(panel->BtnIssue->isEnabled());
  Click(panel->BtnAccept);
  EXPECT_EQ(State(), "狀態：已接受　版本：Q1");
  Click(panel->BtnUndoState);
  // Declining without a reason is refused on the error display; with one it goes.
  Click(panel->BtnDecline);
  EXPECT_EQ(PromptScript::TakeTexts(), std::vector<QString>{QString(kDeclineNeedsReason)});
  TypeText(panel->EdtDeclineReason, "交期太長");
  Click(panel->BtnDecline);
  EXPECT_EQ(State(), "狀態：已婉拒　版本：Q1");
  EXPECT_EQ(panel->Record().reason, "交期太長");
  Click(panel->BtnUndoState);
  prompts.Answer({ui::Answer::Cancel});
  Click(panel->BtnCancelQuotation);
  EXPECT_EQ(State(), "狀態：已發出　版本：Q1");
  Click(panel->BtnCancelQuotation);
  EXPECT_EQ(State(), "狀態：已作廢　版本：Q1");
  for (QPushButton* button : {panel->BtnIssue, panel->BtnAccept, panel->BtnDecline, panel->BtnUndoState})
    EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
}

TEST_P(QuotationLifePanelTest, AnExpiredQuotationShowsSoAndAcceptingItAsks) {
  db.Execute("update Quomaster set availability_date = '" + Day(-1) + "'");
  panel->ShowQuotation(kQ1);
  Click(panel->BtnIssue);
  EXPECT_EQ(State(), "狀態：已過期　版本：Q1");
  PromptScript::TakeTexts();
  prompts.Answer({ui::Answer::Cancel});
  Click(panel->BtnAccept);
  const std::vector<QString> asked = PromptScript::TakeTexts();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_TRUE(asked[0].contains("已過期（有效日期 " + QString::fromStdString(Day(-1)) + "）"))
      << asked[0].toStdString();
  EXPECT_EQ(State(), "狀態：已過期　版本：Q1");
  Click(panel->BtnAccept);  // OK this time
  EXPECT_EQ(State(), "狀態：已接受　版本：Q1");
}

TEST_P(QuotationLifePanelTest, HistoryAndComparisonShowWhatChanged) {
  Click(panel->BtnIssue);
  db.Execute("update Quomaster set pay_mode = '支票'");
  Click(panel->BtnHistory);
  auto* history = Opened<LifeHistoryDialog>("QuotationHistory");
  ASSERT_NE(history, nullptr);
  ASSERT_EQ(history->HistoryGrid->rowCount(), 2);
  EXPECT_EQ(history->HistoryGrid->item(1, 2)->text(), "狀態");
  EXPECT_EQ(history->HistoryGrid->item(1, 5)->text(), "草稿");
  EXPECT_EQ(history->HistoryGrid->item(1, 6)->text(), "已發出");
  history->close();
  Click(panel->BtnCompare);
  auto* comparison = Opened<RevisionCompareDialog>("RevisionComparison");
  ASSERT_NE(comparison, nullptr);
  EXPECT_EQ(comparison->RevisionA->currentText(), "Q1");
  EXPECT_EQ(comparison->RevisionB->currentText(), "目前內容");
  ASSERT_EQ(comparison->ComparisonGrid->rowCount(), 1);
  const QStringList row{comparison->ComparisonGrid->item(0, 2)->text(),
                        comparison->ComparisonGrid->item(0, 3)->text(),
                        comparison->ComparisonGrid->item(0, 4)->text()};
  EXPECT_EQ(row, (QStringList{"付款方式", "現金", "支票"}));
  comparison->RevisionB->setCurrentIndex(0);
  EXPECT_EQ(comparison->ComparisonGrid->rowCount(), 0);
  comparison->close();
}

TEST_P(QuotationLifePanelTest, EmailSendsTheIssuedCopyAttachedOrOpensItsFolderAndAMail) {
  QStringList started;
  std::vector<QUrl> opened;
  bool canAttach = true;
  ui::MailLauncher::SetDesktop(
      [&](const QString& program, const QStringList& arguments) {
        started = QStringList{program} + arguments;
        return canAttach;
      },
      [&](const QUrl& url) {
        opened.push_back(url);
        return true;
      });
  Click(panel->BtnEmail);  // sending a draft issues it
  EXPECT_EQ(panel->Record().state, QuotationState::Issued);
  EXPECT_TRUE(PromptScript::TakeTexts().empty());
  ASSERT_EQ(panel->Life().IssuedCopies(kQ1).size(), 1u);
  const IssuedCopy issued = panel->Life().IssuedCopies(kQ1)[0];
  ASSERT_GE(started.size(), 7);
  EXPECT_EQ(started[0], "xdg-email");
  EXPECT_EQ(started[4], "--attach");
  EXPECT_EQ(started.last(), "buyer@example.com.tw");
  QFile sent(started[5]);
  ASSERT_TRUE(sent.open(QIODevice::ReadOnly));
  EXPECT_EQ(Sha256Hex(sent.readAll().toStdString()), issued.sha256);
  // Later edits change nothing of what is sent.
  db.Execute("update Quomaster set pay_mode = '支票'");
  canAttach = false;
  Click(panel->BtnEmail);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0].toLocalFile(), QFileInfo(started[5]).absolutePath());
  EXPECT_EQ(opened[1].scheme(), "mailto");
  EXPECT_EQ(opened[1].path(), "buyer@example.com.tw");
  EXPECT_EQ(panel->Life().IssuedCopies(kQ1).size(), 1u);
  EXPECT_EQ(printed.size(), 1u);  // the issued PDF was made once
}

TEST_P(QuotationLifePanelTest, CopyMakesANewDraftAndSaysSo) {
  Click(panel->BtnIssue);
  std::optional<QuotationKey> copied;
  QObject::connect(panel.get(), &QuotationLifePanel::Copied, [&](const QuotationKey& key) { copied = key; });
  Click(panel->BtnCopy);
  ASSERT_TRUE(copied.has_value());
  EXPECT_EQ(copied->number, "Q2");
  EXPECT_EQ(panel->LifeMessage->text(), "已複製為新的草稿 Q2。");
  EXPECT_EQ(db.Scalar("select quotation_date from Quomaster where quotation_number = 'Q2'"), Day(0));
  EXPECT_EQ(db.Scalar("select availability_date from Quomaster where quotation_number = 'Q2'"), Day(30));
  panel->ShowQuotation(*copied);
  EXPECT_EQ(State(), "狀態：草稿　版本：Q2");
}

INSTANTIATE_TEST_SUITE_P(Stores, QuotationLifePanelTest,
                         ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
