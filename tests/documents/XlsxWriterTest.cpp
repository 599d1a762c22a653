#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <map>

#include "DocumentFixture.h"
#include "documents/WriteFailure.h"
#include "documents/XlsxWriter.h"

using documents::XlsxWriter;

namespace {

struct SheetCell {
  QString type;  // "s" shared string, "" number (or date: a number with a date style)
  int style = 0;
  QString value;
  QString formula;
};

// The parts of the workbook a spreadsheet program reads the cells from.
class Workbook {
 public:
  explicit Workbook(const QString& file) {
    shared_ = SharedStrings(Part(file, "xl/sharedStrings.xml"));
    ReadCells(Part(file, "xl/worksheets/sheet1.xml"));
    ReadStyles(Part(file, "xl/styles.xml"));
  }

  const SheetCell& Cell(const QString& reference) const {
    static const SheetCell none{"(no cell)", 0, {}, {}};
    const auto found = cells_.find(reference);
    return found == cells_.end() ? none : found->second;
  }
  QString Text(const QString& reference) const {
    const SheetCell& cell = Cell(reference);
    return cell.type == "s" ? shared_.value(cell.value.toInt()) : cell.value;
  }
  // The row whose first cell is a label.
  QString RowOf(const QString& label) const {
    for (const auto& [reference, cell] : cells_)
      if (reference.startsWith('A') && Text(reference) == label) return reference.mid(1);
    return "(no row)";
  }
  QString NumberFormat(const SheetCell& cell) const { return formats_.value(cellFormats_.value(cell.style)); }
  const QStringList& Shared() const { return shared_; }

 private:
  static QByteArray Part(const QString& file, const QString& part) {
    return RunTool("unzip", {"-p", file, part}).value_or("");
  }

  static QStringList SharedStrings(const QByteArray& xml) {
    QStringList strings;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
      reader.readNext();
      if (reader.isStartElement() && reader.name() == u"si") strings << QString();
      if (reader.isStartElement() && reader.name() == u"t") strings.last() += reader.readElementText();
    }
    return strings;
  }

  void ReadCells(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    SheetCell* cell = nullptr;
    while (!reader.atEnd()) {
      reader.readNext();
      if (!reader.isStartElement()) continue;
      const auto attributes = reader.attributes();
      if (reader.name() == u"c") {
        cell = &cells_[attributes.value("r").toString()];
        cell->type = attributes.value("t").toString();
        cell->style = attributes.value("s").toInt();
      } else if (cell && reader.name() == u"v") {
        cell->value = reader.readElementText();
      } else if (cell && reader.name() == u"f") {
        cell->formula = reader.readElementText();
      }
    }
  }

  void ReadStyles(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    bool inCellFormats = false;
    while (!reader.atEnd()) {
      reader.readNext();
      if (reader.isEndElement() && reader.name() == u"cellXfs") inCellFormats = false;
      if (!reader.isStartElement()) continue;
      const auto attributes = reader.attributes();
      if (reader.name() == u"numFmt")
        formats_[attributes.value("numFmtId").toInt()] = attributes.value("formatCode").toString();
      if (reader.name() == u"cellXfs") inCellFormats = true;
      if (inCellFormats && reader.name() == u"xf") cellFormats_ << attributes.value("numFmtId").toInt();
    }
  }

  QStringList shared_;
  std::map<QString, SheetCell> cells_;
  QList<int> cellFormats_;
  QMap<int, QString> formats_;
};

}  // namespace

TEST_F(DocumentFixture, WorkbookKeepsNumbersNumericTextTextAndDatesAsDates) {
  REQUIRE_TOOL("unzip");
  SeedLines(3);
  const QString file = OutputPath("Q1.xlsx");
  XlsxWriter::Write(Read(), file, "yyyy/M/d");
  const Workbook book(file);

  EXPECT_EQ(book.Text("A1"), "報價單");
  const QString custRow = book.RowOf("客戶編號");
  EXPECT_EQ(book.Cell("B" + custRow).type, "s") << "a customer number is text";
  EXPECT_EQ(book.Text("B" + custRow), "S001");
  EXPECT_EQ(book.Text("B" + book.RowOf("公司名稱")), "大同股份有限公司");

  const SheetCell& date = book.Cell("B" + book.RowOf("報價日期"));
  EXPECT_EQ(date.type, "");
  EXPECT_EQ(date.value, "46024") << "2026-01-02 as a day number";
  EXPECT_EQ(book.NumberFormat(date), "yyyy\"/\"m\"/\"d");
  const SheetCell& rate = book.Cell("B" + book.RowOf("稅率"));
  EXPECT_EQ(rate.type, "");
  EXPECT_EQ(rate.value, "0.05");

  // The table: title row, three lines, the total.
  const int titleRow = book.RowOf("序號").toInt();
  ASSERT_GT(titleRow, 0);
  EXPECT_EQ(book.Text(QStringLiteral("B%1").arg(titleRow)), "品名/品號");
  EXPECT_EQ(book.Text(QStringLiteral("I%1").arg(titleRow)), "總金額");
  const QString first = QString::number(titleRow + 1);
  EXPECT_EQ(book.Cell("A" + first).type, "");
  EXPECT_EQ(book.Cell("A" + first).value, "1");
  EXPECT_EQ(book.Text("B" + first), "品名001");
  EXPECT_EQ(book.Cell("C" + first).type, "s") << "a 規格 of digits stays text";
  EXPECT_EQ(book.Text("C" + first), "007");
  EXPECT_EQ(book.Cell("D" + first).value, "12.5");
  EXPECT_EQ(book.Cell("I" + first).value, "1.25");
  const QString total = QString::number(titleRow + 4);
  EXPECT_EQ(book.Text("H" + total), "合計（NTD）");
  EXPECT_EQ(book.Cell("I" + total).formula,
            QStringLiteral("SUM(I%1:I%2)").arg(titleRow + 1).arg(titleRow + 3));
  EXPECT_EQ(book.Cell("I" + total).value, "6.75");

  for (const char* text :
       {"報價單", "品名/品號", "大同股份有限公司", "台北市中山北路三段22號", "不鏽鋼", "月結30天"})
    EXPECT_TRUE(book.Shared().contains(QString::fromUtf8(text))) << text;
}

TEST_F(DocumentFixture, DateFormatsTurnIntoSpreadsheetNotation) {
  EXPECT_EQ(XlsxWriter::SpreadsheetDateFormat("yyyy/M/d"), "yyyy\"/\"m\"/\"d");
  EXPECT_EQ(XlsxWriter::SpreadsheetDateFormat("dd.MM.yyyy"), "dd\".\"mm\".\"yyyy");
  EXPECT_EQ(XlsxWriter::SpreadsheetDateFormat("yyyy'年'M'月'd'日'"), "yyyy\"年\"m\"月\"d\"日\"");
  EXPECT_EQ(XlsxWriter::SpreadsheetDateFormat("d 'de' MMMM"), "d\" de \"mmmm");
}

// The workbook is written under a temporary name first: a target that cannot
// be replaced leaves neither a half-written workbook nor the temporary file.
TEST_F(DocumentFixture, WorkbookThatCannotBeWrittenIsAMessageAndLeavesNoFile) {
  const QString target = OutputPath("Q1.xlsx");
  ASSERT_TRUE(QDir().mkdir(target));
  std::string message = "(no failure)";
  try {
    XlsxWriter::Write(Read(), target, "yyyy/M/d");
  } catch (const documents::WriteFailure& failure) {
    message = failure.what();
  }
  EXPECT_EQ(message.rfind("無法寫入檔案「" + target.toStdString() + "」：", 0), 0u) << message;
  EXPECT_EQ(QDir(output_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"Q1.xlsx"});
  EXPECT_TRUE(QFileInfo(target).isDir());

  const QString missingFolder = OutputPath("gone/Q1.xlsx");
  EXPECT_THROW(XlsxWriter::Write(Read(), missingFolder, "yyyy/M/d"), documents::WriteFailure);
  EXPECT_FALSE(QFileInfo::exists(missingFolder));
}
