#include <gtest/gtest.h>

#include <QJsonArray>

#include "store/jet/JetReader.h"
#include "support/JetFiles.h"

namespace {

// Every table of every test file, read in this process, value for value and
// in Access's order: text with and without compression and outside the BMP,
// NULL beside empty text, whole Memos, dates with their time, Currency, Jet 3.
TEST(JetReaderTest, EveryTableOfEveryFileReadsAsExpected) {
  SQ_SKIP_WITHOUT_JET_FILES();
  for (const char* file : {"quotes-v2000.mdb", "quotes-v2003.mdb", "quotes-v2010.accdb", "foreign.mdb",
                           "partial.mdb", "jackcess/testV1997.mdb"}) {
    store::jet::JetReader reader(jetfiles::Path(file), "");
    const QJsonObject tables = jetfiles::ExpectedTables(file);
    ASSERT_FALSE(tables.isEmpty()) << file;
    for (const QString& name : tables.keys()) {
      const QJsonObject expected = tables[name].toObject();
      const QJsonArray rows = expected["rows"].toArray();
      const auto table = reader.Table(name.toStdString());
      ASSERT_TRUE(table) << file << " " << name.toStdString();
      EXPECT_EQ(table->declaredRows, expected["row_count"].toInteger());
      int r = 0;
      reader.ReadRows(*table, [&](const store::jet::JetRow& row) {
        ASSERT_LT(r, rows.size());
        for (std::size_t c = 0; c < table->columns.size(); ++c) {
          const QJsonValue column = expected["columns"][static_cast<int>(c)];
          ASSERT_EQ(column["name"].toString().toStdString(), table->columns[c].name);
          EXPECT_EQ(row[c], jetfiles::ReaderText(rows[r][column["name"].toString()], column["type"].toString()))
              << file << " " << name.toStdString() << " row " << r << " " << table->columns[c].name;
        }
        ++r;
      });
      EXPECT_EQ(r, rows.size()) << file << " " << name.toStdString();
    }
    EXPECT_TRUE(reader.TakeNotes().empty()) << file;
  }
}

TEST(JetReaderTest, Jet3TextFollowsTheCodePageOrTheOverride) {
  SQ_SKIP_WITHOUT_JET_FILES();
  EXPECT_EQ(store::jet::JetReader(jetfiles::Path("jackcess/testV1997.mdb"), "").Encoding(), "CP1252");
  EXPECT_EQ(store::jet::JetReader(jetfiles::Path("jackcess/testV1997.mdb"), "CP950").Encoding(), "CP950");
  EXPECT_EQ(store::jet::JetReader(jetfiles::Path("quotes-v2000.mdb"), "CP950").Encoding(), "");
}

}  // namespace
