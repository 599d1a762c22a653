// Closing the program leaves the day's copy of its database beside it.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "store/Connection.h"
#include "store/Schema.h"
#include "support/PromptScript.h"
#include "support/WorkDirDatabase.h"
#include "windows/MainUnt.h"

namespace fs = std::filesystem;

namespace {

class CloseBackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QDir(home.path()).mkpath("samplequote");
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  }
  void TearDown() override { store::Connection::SetTarget(""); }

  void WriteSettings(const QByteArray& text) {
    QFile file(home.filePath("samplequote/samplequote.conf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  static std::string TodaysCopy() {
    return "backups/data-" + QDate::currentDate().toString(Qt::ISODate).toStdString() + ".mdb";
  }

  QTemporaryDir home;
  WorkDirDatabase database;
  PromptScript prompts;
  TMainFrm frame;
};

TEST_F(CloseBackupTest, ClosingTheFrameMakesTheDaysCopy) {
  EXPECT_TRUE(frame.close());
  ASSERT_TRUE(fs::exists(TodaysCopy()));
  EXPECT_NE(store::CheckDatabase(TodaysCopy()).find("integrity: ok"), std::string::npos);
  EXPECT_TRUE(PromptScript::TakeTexts().empty());
}

TEST_F(CloseBackupTest, ACopyThatCannotBeMadeIsSaidAndTheFrameClosesAllTheSame) {
  QFile blocker("backups");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_TRUE(frame.close());
  ASSERT_EQ(PromptScript::Shown().size(), 1u);
  EXPECT_EQ(PromptScript::Shown()[0].kind, ui::Prompt::Kind::Notice);
  EXPECT_TRUE(PromptScript::Shown()[0].text.startsWith(
      "今天的資料庫備份沒有做成，程式照樣關閉：Cannot create the folder"))
      << PromptScript::Shown()[0].text.toStdString();
}

TEST_F(CloseBackupTest, TheSettingTurnsItOffAndAServerKeepsItsOwnCopies) {
  WriteSettings("dailyBackups=false\n");
  EXPECT_TRUE(frame.close());
  EXPECT_FALSE(fs::exists("backups"));
  WriteSettings("");
  store::Connection::SetTarget("postgresql://sales@dbhost.invalid/quotes");
  frame.show();
  EXPECT_TRUE(frame.close());
  EXPECT_FALSE(fs::exists("backups"));
  EXPECT_TRUE(PromptScript::TakeTexts().empty());
}

}  // namespace
