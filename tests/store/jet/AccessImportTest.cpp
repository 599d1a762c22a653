#include <gtest/gtest.h>
#include <stdlib.h>

#include <QJsonArray>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "store/Backend.h"
#include "store/FieldValue.h"
#include "store/Stores.h"
#include "store/TargetDatabase.h"
#include "store/Text.h"
#include "store/jet/AccessImport.h"
#include "support/JetFiles.h"
#include "support/StoreDatabase.h"
#include "support/TestServer.h"

namespace {

using store::jet::ImportAccessDatabase;
using store::jet::ImportOptions;
using store::jet::ImportSummary;

// Where an import goes: a file not yet made in a folder of its own, or a
// database of the test server without the tables.
class NewTarget {
 public:
  explicit NewTarget(StoreKind kind) {
    std::string pattern = (std::filesystem::temp_directory_path() / "sqimport.XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    if (kind == StoreKind::File) {
      target_ = dir_ + "/data.mdb";
    } else if (auto uri = TestServer::Uri(&why_)) {
      server_ = std::make_unique<ServerDatabase>(*uri, ServerDatabase::Tables::None);
      target_ = server_->Uri();
    }
  }
  ~NewTarget() {
    std::error_code error;
    std::filesystem::remove_all(dir_, error);
  }
  bool Available() const { return !target_.empty(); }
  const std::string& SkipReason() const { return why_; }
  const std::string& Target() const { return target_; }
  const std::string& Dir() const { return dir_; }
  bool Exists() const {
    if (server_) return server_->Scalar("select to_regclass('customer') is not null") == "t";
    return std::filesystem::exists(target_) || std::filesystem::exists(target_ + "-wal");
  }

 private:
  std::string dir_, target_, why_;
  std::unique_ptr<ServerDatabase> server_;
};

bool HasWarning(const ImportSummary& summary, const std::string& part) {
  for (const std::string& warning : summary.warnings)
    if (warning.find(part) != std::string::npos) return true;
  return false;
}

std::string Fixed4(std::string_view stored) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4f", std::strtod(std::string(stored).c_str(), nullptr));
  return text;
}

// A value arrived as it is in the file, in the form its column holds it.
bool Arrived(const QString& type, const std::optional<std::string>& expected, std::optional<std::string_view> stored) {
  if (!expected || !stored) return !expected && !stored;
  if (type == "Currency") return Fixed4(*stored) == *expected;
  if (type == "Double") return store::FormatDouble(std::strtod(std::string(*stored).c_str(), nullptr)) == *expected;
  if (type == "Date/Time" && expected->ends_with("T00:00:00")) return *stored == expected->substr(0, 10);
  return *stored == *expected;
}

// Compares every row of a table with expected.json, in order. A date whose
// time a store cannot keep must be named in the summary, with what was kept.
void ExpectRows(const std::string& target, const std::string& file, const char* tableName,
                const ImportSummary& summary) {
  const QJsonObject table = jetfiles::ExpectedTables(file)[tableName].toObject();
  const QJsonArray rows = table["rows"].toArray();
  const store::TableRows stored = store::ReadTable(*store::OpenStore(target), tableName);
  ASSERT_EQ(stored.rows->Size(), rows.size()) << tableName;
  for (const QJsonValue& columnValue : table["columns"].toArray()) {
    const QString name = columnValue["name"].toString(), type = columnValue["type"].toString();
    int column = -1;
    for (std::size_t c = 0; c < stored.columns.size(); ++c)
      if (store::SameText(stored.columns[c].name, name.toStdString())) column = static_cast<int>(c);
    if (column < 0) continue;  // a column the program does not have
    for (int r = 0; r < rows.size(); ++r) {
      const auto expected = jetfiles::ReaderText(rows[r][name], type);
      const auto value = stored.rows->Value(r, column);
      if (Arrived(type, expected, value)) continue;
      const std::string said = name.toStdString() + ": " + *expected + " stored as " + std::string(value.value_or("NULL"));
      EXPECT_TRUE(type == "Date/Time" && value && *value == expected->substr(0, 10) && HasWarning(summary, said))
          << file << " " << tableName << " row " << r << " " << said;
    }
  }
}

struct QuoteFile {
  StoreKind store;
  const char* file;
};

class QuoteFileTest : public ::testing::TestWithParam<QuoteFile> {};

TEST_P(QuoteFileTest, EveryRowArrivesAsTheFileHoldsIt) {
  SQ_SKIP_WITHOUT_JET_FILES();
  NewTarget target(GetParam().store);
  SQ_SKIP_WITHOUT_STORE(target);
  const ImportSummary summary = ImportAccessDatabase(jetfiles::Path(GetParam().file), target.Target());
  for (const char* table : {"customer", "Quomaster", "QuoDilate"}) ExpectRows(target.Target(), GetParam().file, table, summary);
  EXPECT_EQ(summary.tables, (std::vector<std::pair<std::string, std::int64_t>>{
                                {"customer", 63}, {"Quomaster", 25}, {"QuoDilate", 200}}));
  EXPECT_TRUE(HasWarning(summary, "header without a customer: S099/Q200604-056"));
  EXPECT_TRUE(HasWarning(summary, "header without a customer: x01/Q200502-031 (a customer differs only in letter case)"));
  EXPECT_TRUE(HasWarning(summary, "line without a header: S002/Q200402-999"));
  EXPECT_TRUE(HasWarning(summary, "line without a header: S010/Q200403-001"));
  EXPECT_TRUE(HasWarning(summary, "duplicate line number (imported): QuoDilate S041/Q200506-040 #3"));
  // A file keeps every value; the server's dates lose their time of day, and say so.
  EXPECT_EQ(HasWarning(summary, "quotation_date: 2004-05-18T16:45:12 stored as 2004-05-18"),
            GetParam().store == StoreKind::Server);
  if (GetParam().store == StoreKind::File) {
    EXPECT_FALSE(HasWarning(summary, "holds differently"));
  }
}

INSTANTIATE_TEST_SUITE_P(Files, QuoteFileTest,
                         ::testing::Values(QuoteFile{StoreKind::File, "quotes-v2000.mdb"},
                                           QuoteFile{StoreKind::File, "quotes-v2003.mdb"},
                                           QuoteFile{StoreKind::File, "quotes-v2010.accdb"},
                                           QuoteFile{StoreKind::Server, "quotes-v2000.mdb"},
                                           QuoteFile{StoreKind::Server, "quotes-v2010.accdb"}),
                         [](const auto& info) {
                           std::string name = StoreName(info.param.store) + "_" + info.param.file;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

class AccessImportTest : public ::testing::TestWithParam<StoreKind> {};

TEST_P(AccessImportTest, APartialFileBringsWhatItHasAndSaysWhatNot) {
  SQ_SKIP_WITHOUT_JET_FILES();
  NewTarget target(GetParam());
  SQ_SKIP_WITHOUT_STORE(target);
  const ImportSummary summary = ImportAccessDatabase(jetfiles::Path("partial.mdb"), target.Target());
  ExpectRows(target.Target(), "partial.mdb", "customer", summary);
  ExpectRows(target.Target(), "partial.mdb", "Quomaster", summary);
  EXPECT_EQ(summary.tables, (std::vector<std::pair<std::string, std::int64_t>>{{"customer", 12}, {"Quomaster", 5}}));
  EXPECT_TRUE(HasWarning(summary, "table missing from the file, left empty: QuoDilate"));
  EXPECT_TRUE(HasWarning(summary, "columns missing from the file, left empty: customer: fax, email"));
  EXPECT_TRUE(HasWarning(summary, "columns of the file not imported: customer: memo_note (Memo)"));
}

// Whatever goes wrong, the target is not left behind.
void ExpectRefused(const NewTarget& target, const std::string& source, const std::string& says,
                   const ImportOptions& options = {}) {
  try {
    ImportAccessDatabase(source, target.Target(), options);
    ADD_FAILURE() << source << " was imported";
  } catch (const store::StoreError& error) {
    EXPECT_NE(std::string(error.what()).find(says), std::string::npos) << source << ": " << error.what();
  }
  EXPECT_FALSE(target.Exists()) << source;
}

TEST_P(AccessImportTest, FilesWithoutTheTablesAreRefusedNamingWhatTheyHold) {
  SQ_SKIP_WITHOUT_JET_FILES();
  NewTarget target(GetParam());
  SQ_SKIP_WITHOUT_STORE(target);
  ExpectRefused(target, jetfiles::Path("foreign.mdb"), "its tables are Customers, Products, Orders");
  ExpectRefused(target, jetfiles::Path("jackcess/testV1997.mdb"), "its tables are Table1, Table2, Table3, Table4");
  ExpectRefused(target, jetfiles::Path("expected.json"), "is not an Access database file");
}

// Cut and flipped copies of a fixture: each fails with a clear message (libmdb
// may crash or loop on them: the reading process is stopped), the target not made.
TEST_P(AccessImportTest, DamagedFilesFailClearlyWithinTheLimitAndMakeNothing) {
  SQ_SKIP_WITHOUT_JET_FILES();
  NewTarget target(GetParam());
  SQ_SKIP_WITHOUT_STORE(target);
  std::ifstream in(jetfiles::Path("quotes-v2000.mdb"), std::ios::binary);
  const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto flipped = [&](std::size_t from, std::size_t to, int mask) {
    std::string bytes = original;
    for (std::size_t at = from; at < to; ++at) bytes[at] = static_cast<char>(bytes[at] ^ mask);
    return bytes;
  };
  const struct Case {
    const char* name;
    std::string bytes;
    const char* says;
  } cases[] = {
      {"half", original.substr(0, original.size() / 2), "damaged"},
      {"three-pages", original.substr(0, 3 * 4096), "damaged"},
      {"catalog-flipped", flipped(2 * 4096, 3 * 4096, 0x5A), "damaged"},
      {"customer-pages-flipped", flipped(27 * 4096, 32 * 4096, 0xFF), "damaged"},
      {"header-only", original.substr(0, 4096), "damaged"},
  };
  ImportOptions options;
  options.stallLimit = std::chrono::seconds(3);
  for (const Case& c : cases) {
    const std::string path = target.Dir() + "/" + c.name + ".mdb";
    std::ofstream(path, std::ios::binary) << c.bytes;
    const auto start = std::chrono::steady_clock::now();
    ExpectRefused(target, path, c.says, options);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30)) << c.name << " hung";
  }
}

TEST_P(AccessImportTest, CancellingLeavesNothingAndTheSourceAsItWas) {
  SQ_SKIP_WITHOUT_JET_FILES();
  NewTarget target(GetParam());
  SQ_SKIP_WITHOUT_STORE(target);
  ImportOptions options;
  int calls = 0;
  options.progress = [&](const store::jet::ImportProgress& progress) {
    EXPECT_EQ(progress.total, 63 + 25 + 200);
    return ++calls < 2;
  };
  EXPECT_THROW(ImportAccessDatabase(jetfiles::Path("quotes-v2003.mdb"), target.Target(), options),
               store::jet::ImportCancelled);
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(target.Exists());
}

// The command-line tool: the summary on stdout, 1 for a refused file (and no target), 2 for bad usage.
TEST(AccessImportToolTest, ExitCodesAndSummary) {
  SQ_SKIP_WITHOUT_JET_FILES();
  const auto tool = std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "samplequote-db";
  if (!std::filesystem::exists(tool)) GTEST_SKIP() << "samplequote-db not built";
  NewTarget target(StoreKind::File);
  const auto run = [&](const std::string& args, std::string* out = nullptr) {
    std::FILE* pipe = popen((tool.string() + " " + args + " 2>/dev/null").c_str(), "r");
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
      if (out) out->append(chunk, got);
    return WEXITSTATUS(pclose(pipe));
  };
  EXPECT_EQ(run("import " + jetfiles::Path("foreign.mdb") + " " + target.Target()), 1);
  EXPECT_EQ(run("import --encoding NO-SUCH " + jetfiles::Path("quotes-v2000.mdb") + " " + target.Target()), 1);
  EXPECT_FALSE(target.Exists());
  EXPECT_EQ(run("import " + jetfiles::Path("quotes-v2000.mdb")), 2);
  std::string summary;
  EXPECT_EQ(run("import --encoding CP950 " + jetfiles::Path("quotes-v2000.mdb") + " " + target.Target(), &summary), 0);
  EXPECT_NE(summary.find("Access file: Jet 4 (Access 2000-2003)\ncustomer: 63 rows imported\n"), std::string::npos)
      << summary;
  EXPECT_NE(summary.find("encoding not used: the file's text is Unicode; CP950 applies to Access 97 files"),
            std::string::npos);
  EXPECT_EQ(run("import " + jetfiles::Path("quotes-v2000.mdb") + " " + target.Target()), 1);  // not empty now
}

INSTANTIATE_TEST_SUITE_P(Stores, AccessImportTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
