#include "ui/app/DatabaseTarget.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace {

class DatabaseTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("SAMPLEQUOTE_DATABASE");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QDir(home.path()).mkpath("samplequote");
  }
  void TearDown() override { unsetenv("SAMPLEQUOTE_DATABASE"); }

  void WriteSettings(const QByteArray& text) {
    QFile file(home.filePath("samplequote/samplequote.conf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }

  QTemporaryDir home;
};

TEST_F(DatabaseTargetTest, TheEnvironmentWinsOverTheSettingsFileAndNeitherMeansTheWorkingFolder) {
  EXPECT_EQ(ui::DatabaseTarget(), "");
  WriteSettings("database = postgresql://sales@db.example/quotes \n");
  EXPECT_EQ(ui::DatabaseTarget(), "postgresql://sales@db.example/quotes");
  setenv("SAMPLEQUOTE_DATABASE", "/srv/shared/data.mdb", 1);
  EXPECT_EQ(ui::DatabaseTarget(), "/srv/shared/data.mdb");
  // An empty variable counts as unset.
  setenv("SAMPLEQUOTE_DATABASE", "", 1);
  EXPECT_EQ(ui::DatabaseTarget(), "postgresql://sales@db.example/quotes");
}

}  // namespace
