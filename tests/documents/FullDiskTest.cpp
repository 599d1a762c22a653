#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include "DocumentFixture.h"
#include "SmallDisk.h"
#include "documents/PdfWriter.h"
#include "documents/WriteFailure.h"
#include "documents/XlsxWriter.h"

namespace {

struct Kind {
  const char* name;
  const char* file;
  int lines;  // enough for a document of some tens of kilobytes
  std::function<void(const documents::QuotationDocument&, const QString&)> write;
};

const Kind kKinds[] = {
    {"Pdf", "Q1.pdf", 3,
     [](const auto& document, const QString& path) { documents::PdfWriter::Write(document, path); }},
    {"Xlsx", "Q1.xlsx", 200,
     [](const auto& document, const QString& path) {
       documents::XlsxWriter::Write(document, path, "yyyy/M/d");
     }},
};

// A document kind and the space left on the disk when it is written.
using Case = std::tuple<int, int>;

class FullDiskTest : public DocumentFixture, public ::testing::WithParamInterface<Case> {
 protected:
  const Kind& DocumentKind() const { return kKinds[std::get<0>(GetParam())]; }
  qint64 FreeBytes() const { return std::get<1>(GetParam()) * 1024; }

  std::string FailureOf(const QString& path) {
    try {
      DocumentKind().write(Read(), path);
    } catch (const documents::WriteFailure& failure) {
      return failure.what();
    }
    return "(no failure)";
  }

  static QStringList FilesOn(const SmallDisk& disk) {
    QStringList files = QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden);
    files.sort(Qt::CaseSensitive);
    return files;
  }

  static QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(cannot read)");
  }
};

// A one-page quotation in PDF is some tens of kilobytes: with 4 to 12 KB left it
// cannot be written. The failure is said in the words of the system, and the
// good document already there stays as it was, with nothing left beside it.
TEST_P(FullDiskTest, AFailedWriteIsSaidAndKeepsTheOldDocument) {
  SmallDisk disk(512);
  if (!disk.Mounted()) GTEST_SKIP() << "full-disk writes not checked: " << disk.Why();
  SeedLines(DocumentKind().lines);
  const QString target = disk.FilePath(DocumentKind().file);
  DocumentKind().write(Read(), target);
  const QByteArray good = Contents(target);
  ASSERT_GT(good.size(), FreeBytes() + 1024) << "a document that fits proves nothing";

  SeedLines(3);  // the new document is larger still
  ASSERT_TRUE(disk.LeaveFree(FreeBytes()));
  const std::string message = FailureOf(target);
  EXPECT_EQ(message.rfind("無法寫入檔案「" + target.toStdString() + "」：", 0), 0u) << message;
  EXPECT_NE(message.find("裝置上已無空間"), std::string::npos) << message;
  EXPECT_EQ(Contents(target), good) << "the old document was damaged";
  EXPECT_EQ(FilesOn(disk), (QStringList{DocumentKind().file, "filler"}));

  QFile::remove(target);
  ASSERT_TRUE(disk.LeaveFree(FreeBytes()));
  EXPECT_NE(FailureOf(target), "(no failure)");
  EXPECT_EQ(FilesOn(disk), QStringList{"filler"}) << "a cut document was left under the name";
}

INSTANTIATE_TEST_SUITE_P(Kinds, FullDiskTest,
                         ::testing::Combine(::testing::Values(0, 1), ::testing::Values(4, 8, 12)),
                         [](const auto& info) {
                           return std::string(kKinds[std::get<0>(info.param)].name) + "With" +
                                  std::to_string(std::get<1>(info.param)) + "KbFree";
                         });

// The system's reasons are said in Chinese whatever the C library's language.
TEST_F(DocumentFixture, TheReasonOfAFailedWriteIsSaidInChinese) {
  SmallDisk disk(64, SmallDisk::Access::ReadOnly);
  if (!disk.Mounted()) GTEST_SKIP() << "read-only file system not checked: " << disk.Why();
  for (const Kind& kind : kKinds) {
    const QString target = disk.FilePath(kind.file);
    std::string message = "(no failure)";
    try {
      kind.write(Read(), target);
    } catch (const documents::WriteFailure& failure) {
      message = failure.what();
    }
    EXPECT_EQ(message, "無法寫入檔案「" + target.toStdString() + "」：唯讀的檔案系統");
    headers_.Close();
  }
}

}  // namespace
