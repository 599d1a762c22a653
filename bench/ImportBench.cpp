// The Access import against a bare libmdb read of the same rows: the import's
// time should go to reading the file, not to writing the target. Runs on the
// test files beside the project and on any larger Access file named by
// SQ_BENCH_ACCESS_FILE.
#include <benchmark/benchmark.h>
#include <glib.h>
#include <mdbtools.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CpuTime.h"
#include "store/TargetDatabase.h"
#include "store/jet/AccessImport.h"

namespace {

using bench::CpuClock;

std::vector<std::string> AccessFiles() {
  std::vector<std::string> files;
  const std::string dir = std::string(SQ_JET_DIR) + "/";
  for (const char* name : {"quotes-v2000.mdb", "quotes-v2003.mdb", "quotes-v2010.accdb"})
    if (std::filesystem::exists(dir + name)) files.push_back(dir + name);
  if (const char* extra = std::getenv("SQ_BENCH_ACCESS_FILE"); extra && *extra) files.push_back(extra);
  return files;
}

// libmdb's own way: every column bound, row after row. Returns the rows read.
long long BareRead(const std::string& path) {
  MdbHandle* mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
  if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE)) return 0;
  mdb_set_bind_size(mdb, 1 << 16);
  long long rows = 0;
  for (const char* name : store::kDatabaseTables) {
    MdbTableDef* table = mdb_read_table_by_name(mdb, const_cast<gchar*>(name), MDB_TABLE);
    if (!table) continue;
    mdb_read_columns(table);
    std::vector<std::vector<char>> values(table->num_cols, std::vector<char>(1 << 16));
    std::vector<int> lengths(table->num_cols);
    for (unsigned c = 0; c < table->num_cols; ++c)
      mdb_bind_column(table, static_cast<int>(c) + 1, values[c].data(), &lengths[c]);
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) ++rows;
    mdb_free_tabledef(table);
  }
  mdb_close(mdb);
  return rows;
}

struct Totals {
  double importSeconds = 0, readSeconds = 0;
  long long rows = 0;
};

Totals& Sums() {
  static Totals totals;
  return totals;
}

void Import(benchmark::State& state, const std::string& file) {
  std::string pattern = (std::filesystem::temp_directory_path() / "sqimportbench.XXXXXX").string();
  const std::string dir = mkdtemp(pattern.data());
  const std::string target = dir + "/data.mdb";
  for (auto _ : state) {
    const double start = bench::CpuSeconds(CpuClock::ProcessAndChildren);
    const store::jet::ImportSummary summary = store::jet::ImportAccessDatabase(file, target);
    const double seconds = bench::CpuSeconds(CpuClock::ProcessAndChildren) - start;
    state.SetIterationTime(seconds);
    bench::RecordSample("import " + file, seconds);
    Sums().importSeconds += seconds;
    for (const auto& table : summary.tables) Sums().rows += table.second;
    store::RemoveMadeFile(target);
  }
  std::filesystem::remove_all(dir);
}

void Read(benchmark::State& state, const std::string& file) {
  for (auto _ : state) {
    const double start = bench::CpuSeconds(CpuClock::Process);
    benchmark::DoNotOptimize(BareRead(file));
    const double seconds = bench::CpuSeconds(CpuClock::Process) - start;
    state.SetIterationTime(seconds);
    bench::RecordSample("read " + file, seconds);
    Sums().readSeconds += seconds;
  }
}

const bool kRegistered = [] {
  for (const std::string& file : AccessFiles()) {
    const std::string name = std::filesystem::path(file).filename().string();
    benchmark::RegisterBenchmark(("import/" + name).c_str(), Import, file)->UseManualTime()->Iterations(15);
    benchmark::RegisterBenchmark(("import-floor/" + name).c_str(), Read, file)->UseManualTime()->Iterations(15);
  }
  return true;
}();

const bool kRatios = bench::AddFinisher([] {
  for (const std::string& file : AccessFiles()) {
    const std::string name = std::filesystem::path(file).filename().string();
    bench::ReportRatio("import/read " + name, bench::Ratio("import " + file, "read " + file));
  }
  if (Sums().readSeconds > 0) bench::ReportRatio("import/read", Sums().importSeconds / Sums().readSeconds);
  if (Sums().importSeconds > 0) bench::ReportRatio("import-rows-per-second", Sums().rows / Sums().importSeconds);
});

}  // namespace
