// Starting in a folder whose data.mdb is an old Access file: the offer, the
// import with its progress dialog, and every way of saying no.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "store/Schema.h"
#include "support/JetFiles.h"
#include "support/PromptScript.h"
#include "windows/AccessImportOffer.h"
#include "windows/MainUnt.h"

namespace {

using ui::Answer;

QByteArray Bytes(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

class AccessImportOfferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::string why; jetfiles::Dir(&why).empty()) GTEST_SKIP() << "Access test files skipped: " << why;
    old_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    original_ = Bytes(QString::fromStdString(jetfiles::Path("quotes-v2000.mdb")));
    Put(original_);
    frame_ = std::make_unique<TMainFrm>();
    frame_->show();
  }
  void TearDown() override {
    frame_.reset();
    if (!old_.isEmpty()) QDir::setCurrent(old_);
  }
  void Put(const QByteArray& bytes) {
    QFile file("data.mdb");
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
  }
  bool Offer() { return AccessImportOffer::OfferAt(frame_.get(), QStringLiteral("data.mdb")); }
  // data.mdb exactly as it was, and nothing else left in the folder.
  void ExpectUntouched(const QByteArray& bytes) {
    EXPECT_EQ(Bytes("data.mdb"), bytes);
    EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{"data.mdb"});
  }

  QTemporaryDir dir_;
  QString old_;
  QByteArray original_;
  std::unique_ptr<TMainFrm> frame_;
  PromptScript prompts_;
};

TEST_F(AccessImportOfferTest, YesImportsKeepsTheOriginalAndOpensAsUsual) {
  prompts_.Answer({Answer::Yes, Answer::Ok});
  EXPECT_TRUE(Offer());
  const std::vector<QString> texts = PromptScript::TakeTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_TRUE(texts[0].startsWith("data.mdb 是 Access 資料庫")) << texts[0].toStdString();
  EXPECT_TRUE(texts[1].contains("客戶 63 筆、報價單 25 筆、報價明細 200 筆")) << texts[1].toStdString();
  EXPECT_TRUE(texts[1].contains("原檔保留為「data-Access原檔.mdb」")) << texts[1].toStdString();
  EXPECT_TRUE(texts[1].contains("header without a customer: S099/Q200604-056")) << texts[1].toStdString();
  EXPECT_EQ(Bytes("data-Access原檔.mdb"), original_);
  EXPECT_EQ(QDir().entryList(QDir::Files), (QStringList{"data-Access原檔.mdb", "data.mdb"}));
  EXPECT_NE(store::CheckDatabase("data.mdb").find("QuoDilate: 200 rows"), std::string::npos);
  // The windows' own connection opens it: S007, the row that moved in the file, is in its place.
  store::Connection connection;
  connection.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=data.mdb;Persist Security Info=False");
  connection.Open();
  store::QueryRecordSet query(connection, "ADOQuery1");
  query.SQL().Add("select * from customer");
  query.Open();
  for (int i = 0; i < 6; ++i) query.Next();
  EXPECT_EQ(query.FieldByName("cust_no").AsString(), "S007");
  EXPECT_FALSE(AccessImportOffer::OfferAt(frame_.get(), "data.mdb"));  // a database now: nothing asked
  EXPECT_TRUE(PromptScript::TakeTexts().empty());
}

TEST_F(AccessImportOfferTest, NoLeavesTheFileAndSaysWhatToDo) {
  prompts_.Answer({Answer::No, Answer::Ok});
  EXPECT_FALSE(Offer());
  const std::vector<QString> texts = PromptScript::TakeTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_TRUE(texts[1].startsWith("沒有匯入。")) << texts[1].toStdString();
  EXPECT_TRUE(texts[1].contains("samplequote-db import data.mdb")) << texts[1].toStdString();
  ExpectUntouched(original_);
}

TEST_F(AccessImportOfferTest, CancelMidwayLeavesTheFileAsItWas) {
  prompts_.Answer({Answer::Yes, Answer::Ok});
  QString seen;
  // Runs at the dialog's first progress step, with rows already read and written.
  QTimer::singleShot(0, [&seen] {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<QProgressDialog*>(widget);
          dialog && dialog->objectName() == AccessImportOffer::kProgressName) {
        seen = dialog->labelText();
        dialog->cancel();
      }
  });
  EXPECT_FALSE(Offer());
  EXPECT_TRUE(seen.contains(" / 288 筆") && !seen.contains("288 / 288")) << seen.toStdString();
  const std::vector<QString> texts = PromptScript::TakeTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_TRUE(texts[1].startsWith("匯入已取消。")) << texts[1].toStdString();
  ExpectUntouched(original_);
}

TEST_F(AccessImportOfferTest, ADamagedFileIsReportedAndLeftAsItWas) {
  const QByteArray damaged = original_.left(original_.size() / 2);
  Put(damaged);
  prompts_.Answer({Answer::Yes, Answer::Ok, Answer::Ok});
  EXPECT_FALSE(Offer());
  const std::vector<ui::Prompt>& shown = PromptScript::Shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1].kind, ui::Prompt::Kind::Error);
  EXPECT_TRUE(shown[1].text.contains("damaged")) << shown[1].text.toStdString();
  EXPECT_TRUE(shown[2].text.startsWith("匯入沒有完成。"));
  ExpectUntouched(damaged);
}

TEST_F(AccessImportOfferTest, ADatabaseFileIsNotAskedAbout) {
  QFile::remove("data.mdb");
  store::CreateDatabase("data.mdb");
  const QByteArray made = Bytes("data.mdb");
  EXPECT_FALSE(Offer());
  EXPECT_TRUE(PromptScript::Shown().empty());
  EXPECT_EQ(Bytes("data.mdb"), made);
}

}  // namespace
