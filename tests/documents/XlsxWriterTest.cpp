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

  // A row's height in points when it was set, else 0.
  double RowHeight(int row) const { return rowHeights_.value(row, 0); }
  // An attribute of <pageSetup> or <pageSetUpPr>; `absent` when the file leaves it at its default.
  QString PageSetup(const QString& attribute, const QString& absent = {}) const {
    return pageSetup_.value(attribute, absent);
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
      if (reader.name() == u"row" && attributes.hasAttribute("ht"))
        rowHeights_[attributes.value("r").toInt()] = attributes.value("ht").toDouble();
      if (reader.name() == u"pageSetup" || reader.name() == u"pageSetUpPr")
        for (const auto& attribute : attributes)
          pageSetup_[attribute.name().toString()] = attribute.value().toString();
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
  QMap<int, double> rowHeights_;
  QMap<QString, QString> pageSetup_;
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
  // The figures of the PDF: 5 % of 6.75 is 0.3375.
  EXPECT_EQ(book.RowOf("小計（NTD）").toInt(), titleRow + 4);
  EXPECT_EQ(book.Cell("I" + book.RowOf("小計（NTD）")).value, "6.75");
  EXPECT_EQ(book.Cell("I" + book.RowOf("營業稅 5%")).value, "0.34");
  EXPECT_EQ(book.Cell("I" + book.RowOf("含稅總計（NTD）")).value, "7.09");
  EXPECT_EQ(book.NumberFormat(book.Cell("I" + book.RowOf("含稅總計（NTD）"))), "0.00");

  for (const char* text :
       {"報價單", "品名/品號", "大同股份有限公司", "台北市中山北路三段22號", "不鏽鋼", "月結30天"})
    EXPECT_TRUE(book.Shared().contains(QString::fromUtf8(text))) << text;
}

// A spreadsheet program does not fit rows to wrapped texts by itself.
TEST_F(DocumentFixture, WorkbookRowsFitTheirTextsAndPrintOnePageWide) {
  REQUIRE_TOOL("unzip");
  SeedLines(3, QStringLiteral("甲乙丙丁戊己庚辛壬癸").repeated(6).toStdString());
  const QString file = OutputPath("Q1.xlsx");
  XlsxWriter::Write(Read("S002"), file, "yyyy/M/d");
  const Workbook untaxed(file);
  const QString note = untaxed.RowOf("免稅：以上價格不含稅，不另加稅。");
  EXPECT_EQ(untaxed.Text("A" + note), "免稅：以上價格不含稅，不另加稅。");
  EXPECT_EQ(untaxed.Cell("I" + untaxed.RowOf("合計（USD）")).value, "0");

  XlsxWriter::Write(Read(), file, "yyyy/M/d");
  const Workbook book(file);
  const int titleRow = book.RowOf("序號").toInt();
  // 120 columns of CJK text in a column 24 wide.
  EXPECT_GE(book.RowHeight(titleRow + 2), 5 * 15.0);
  EXPECT_EQ(book.RowHeight(titleRow + 1), 0) << "a row of one line keeps the usual height";
  EXPECT_EQ(book.PageSetup("fitToPage"), "1");
  EXPECT_EQ(book.PageSetup("fitToWidth", "1"), "1");
  EXPECT_EQ(book.PageSetup("fitToHeight"), "0");
  EXPECT_EQ(book.PageSetup("paperSize"), "9") << "A4";
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
