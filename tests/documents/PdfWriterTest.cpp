#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "DocumentFixture.h"
#include "documents/PdfWriter.h"
#include "documents/WriteFailure.h"

using documents::PdfWriter;

namespace {

QString PdfText(const QString& pdf) {
  return QString::fromUtf8(RunTool("pdftotext", {"-layout", pdf, "-"}).value_or("(pdftotext failed)"));
}

// Each of `texts` is found after the one before it.
void ExpectInOrder(const QString& text, const QStringList& texts) {
  qsizetype at = 0;
  for (const QString& wanted : texts) {
    const qsizetype found = text.indexOf(wanted, at);
    ASSERT_GE(found, 0) << "missing or out of order: " << wanted.toStdString();
    at = found + wanted.size();
  }
}

// Each object the cross-reference table names starts where it says.
void ExpectTableMatchesObjects(const QByteArray& pdf) {
  const qsizetype startxref = pdf.lastIndexOf("startxref");
  ASSERT_GE(startxref, 0);
  const qsizetype table = pdf.mid(startxref + 9).trimmed().split('\n').first().trimmed().toLongLong();
  ASSERT_TRUE(pdf.mid(table).startsWith("xref"))
      << "startxref points at " << pdf.mid(table, 20).toStdString();
  const QList<QByteArray> rows = pdf.mid(table).split('\n');
  const int count = rows[1].split(' ')[1].toInt();
  ASSERT_GT(count, 2);
  for (int object = 1; object < count; ++object) {
    const QByteArray& row = rows[2 + object];
    if (!row.contains(" n")) continue;
    EXPECT_TRUE(pdf.mid(row.left(10).toLongLong()).startsWith(QByteArray::number(object) + " 0 obj"))
        << "object " << object;
  }
}

}  // namespace

TEST_F(DocumentFixture, PdfGivesBackEveryFieldAndLineInOrderAcrossPages) {
  REQUIRE_TOOL("pdftotext");
  SeedLines(80);
  const QString pdf = OutputPath("Q1.pdf");
  PdfWriter::Write(Read(), pdf);

  const QStringList pages = PdfText(pdf).split('\f', Qt::SkipEmptyParts);
  ASSERT_GE(pages.size(), 2) << "80 lines do not fit one page";
  const QString count = QString::number(pages.size());
  ExpectInOrder(pages[0], {"報價單", "客戶編號", "S001", "報價單號", "Q1", "大同股份有限公司", "報價日期",
                           "2026/1/2", "台北市中山北路三段22號", "有效日期", "2026/2/28", "王小明",
                           "月結30天", "FOS", "快遞", "NTD", "應稅", "0.05", "陳美玲"});
  for (int page = 0; page < pages.size(); ++page) {
    ExpectInOrder(pages[page], {"序號", "品名/品號", "規格", "寬", "高", "長", "數量", "單價", "總金額"});
    // pdftotext drops the narrow blanks between Chinese words.
    EXPECT_TRUE(
        QString(pages[page]).remove(' ').contains(QStringLiteral("第%1頁/共%2頁").arg(page + 1).arg(count)));
  }
  QStringList lines;
  for (int serial = 1; serial <= 80; ++serial)
    lines << QStringLiteral("品名%1").arg(serial, 3, 10, QChar('0')) << QStringLiteral("%1.25").arg(serial);
  ExpectInOrder(pages.join('\n'), lines);
  // 80 * 81 / 2 plus a quarter each, and 5 % tax on it.
  ExpectInOrder(QString(pages.last()).remove(' '),
                {"小計（NTD）3260.00", "營業稅5%163.00", "含稅總計（NTD）3423.00"});
  EXPECT_FALSE(pages.join('\n').contains(QStringLiteral("別家的品項")));
}

TEST_F(DocumentFixture, PdfEmbedsItsFontsAndAOnePageQuotationStaysSmall) {
  REQUIRE_TOOL("pdffonts");
  SeedLines(5);
  const QString pdf = OutputPath("Q1.pdf");
  PdfWriter::Write(Read(), pdf);
  EXPECT_LT(QFileInfo(pdf).size(), 200 * 1024);
  EXPECT_TRUE(RunTool("pdfinfo", {pdf}).value_or("").contains("Pages:           1"));
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  ExpectTableMatchesObjects(file.readAll());

  const QStringList rows =
      QString::fromUtf8(RunTool("pdffonts", {pdf}).value_or("")).split('\n', Qt::SkipEmptyParts);
  ASSERT_GT(rows.size(), 2) << "no font listed";
  for (const QString& row : rows.mid(2)) {
    // name, type, encoding, then emb sub uni object generation.
    const QStringList columns = row.split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(columns.size(), 6) << row.toStdString();
    EXPECT_EQ(columns[columns.size() - 5], "yes") << "not embedded: " << row.toStdString();
    EXPECT_EQ(columns[columns.size() - 4], "yes") << "not named as a subset: " << row.toStdString();
    EXPECT_TRUE(QRegularExpression("^[A-Z]{6}\\+").match(columns[0]).hasMatch()) << row.toStdString();
    EXPECT_EQ(columns[columns.size() - 3], "yes") << "no text mapping: " << row.toStdString();
  }
}

// Figures wider than their column are set smaller, never broken over lines.
TEST_F(DocumentFixture, PdfNumbersAreNeverBroken) {
  REQUIRE_TOOL("pdftotext");
  database_.Execute(
      "insert into QuoDilate (Cust_no, quotation_number, serial_number, width, amount, price, totle) values "
      "('S001', 'Q1', 1, 1234.5678, 1234567, 12345678.9, 31996087.124),"
      "('S001', 'Q1', 2, 0.125, 2, -98765432109.87, -197530864219.74)");
  const QString pdf = OutputPath("Q1.pdf");
  PdfWriter::Write(Read(), pdf);
  const QString text = PdfText(pdf);
  for (const char* number : {"1234.5678", "1234567", "12345678.9", "31996087.124", "-98765432109.87",
                             "-197530864219.74", "-197498868132.62", "-9874943406.63", "-207373811539.25"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(number))) << number << " is not whole in\n"
                                                          << text.toStdString();
}

// A product name longer than a page still comes out whole.
TEST_F(DocumentFixture, PdfWrapsLongTextsAndCutsNone) {
  REQUIRE_TOOL("pdftotext");
  const QString tenStems = QStringLiteral("甲乙丙丁戊己庚辛壬癸");
  SeedLines(3, tenStems.repeated(300).toStdString() + "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdef");
  const QString pdf = OutputPath("Q1.pdf");
  PdfWriter::Write(Read(), pdf);
  const QString text = PdfText(pdf);
  for (QChar stem : tenStems) EXPECT_EQ(text.count(stem), 300) << QString(stem).toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("品名003")));
  EXPECT_GE(text.count('\f'), 2) << "3,000 characters in one cell fill more than a page";
}

TEST_F(DocumentFixture, UnwritableFolderIsAMessageAndLeavesNoFile) {
  // Root writes into read-only folders, so there a file stands in the folder's place.
  QString folder = OutputPath("locked");
  if (geteuid() == 0) {
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  } else {
    ASSERT_TRUE(QDir().mkdir(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
  }
  const QString pdf = folder + "/Q1.pdf";
  std::string message = "(no failure)";
  try {
    PdfWriter::Write(Read(), pdf);
  } catch (const documents::WriteFailure& failure) {
    message = failure.what();
  }
  EXPECT_EQ(message.rfind("無法寫入檔案「" + pdf.toStdString() + "」：", 0), 0u) << message;
  EXPECT_FALSE(QFileInfo::exists(pdf));
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
