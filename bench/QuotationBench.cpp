// The quotation window on 10,000 headers, about 1,000,000 lines and 100,000
// customers: the search, a header move in the linked line set, and the
// customer-name lookup per keystroke, each against bare SQLite doing the same reads.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QLineEdit>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchDatabase.h"
#include "CpuTime.h"
#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "ui/data/DBEdit.h"
#include "windows/QuotationUnt.h"

namespace {

using bench::Exec;
using bench::InsertRows;
using bench::ReadAll;
using bench::Timed;

constexpr int kCustomers = 100000;
constexpr int kHeaders = 10000;
constexpr int kLinesPerHeader = 100;
// Headers 1, 2 carry 10 lines and 3, 4 carry 1,000, to show what a move costs per line.
int LineCount(int header) {
  return header == 1 || header == 2 ? 10 : header == 3 || header == 4 ? 1000 : kLinesPerHeader;
}

std::string Format(const char* pattern, int value) {
  char text[32];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string CustNo(int customer) { return Format("S%05d", customer + 1); }
std::string HeaderCust(int header) { return CustNo(header * 7 % kCustomers); }
std::string HeaderNumber(int header) { return Format("Q%05d", header); }

void FillDatabase(sqlite3* db) {
  Exec(db, "begin");
  InsertRows(db,
             "insert into customer (cust_no, cust_name, all_name, incaddr, tel1, sales) values (?,?,?,?,?,?)",
             kCustomers, [](int i) {
               return std::vector<std::string>{CustNo(i),
                                               "客戶" + std::to_string(i),
                                               "股份有限公司 " + std::to_string(i),
                                               "台北市中山路 " + std::to_string(i) + " 號",
                                               "02-2345-6789",
                                               "王小明"};
             });
  InsertRows(
      db,
      "insert into Quomaster (Cust_no, quotation_number, pay_mode, money_type, tax_rate, quotation_date, "
      "sales) values (?,?,'現金','NTD','0.05','2026-01-02','王小明')",
      kHeaders, [](int h) {
        return std::vector<std::string>{HeaderCust(h), HeaderNumber(h)};
      });
  // Lines interleaved across headers, as they accumulate over time.
  std::vector<std::pair<int, int>> lines;
  for (int round = 0; round < 1000; ++round)
    for (int h = 0; h < kHeaders; ++h)
      if (round < LineCount(h)) lines.emplace_back(h, round + 1);
  InsertRows(
      db,
      "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, standard, width, high, "
      "length, amount, price, totle) values (?,?,?,?,'A4',12,8,30,100,2.5,250)",
      static_cast<int>(lines.size()), [&lines](int i) {
        auto [h, serial] = lines[i];
        return std::vector<std::string>{HeaderCust(h), HeaderNumber(h), std::to_string(serial),
                                        "品名" + std::to_string(serial)};
      });
  Exec(db, "commit");
}

// One data.mdb for every benchmark here.
bench::BenchDatabase& Shared() { return bench::Shared<FillDatabase>(); }

// --- Search -------------------------------------------------------------------

void QuotationSearchFloor(benchmark::State& state) {
  sqlite3* db = Shared().Db();
  Timed(state, "quotation-search-floor", [db] {
    ReadAll(db, "select * from Quomaster order by Cust_no");
    ReadAll(db, "select * from QuoDilate");
  });
}

void QuotationSearch(benchmark::State& state) {
  Shared();
  TQuotation window;
  Timed(state, "quotation-search", [&window] { window.BtnFindClick(); });
  state.counters["lines"] = window.ADODataSetDilate.RecordCount();
}

// --- Header move in the linked line set -----------------------------------------

const char* const kHeaderLines = "select * from QuoDilate where Cust_no = ? and quotation_number = ?";

// The two headers a move alternates between, by their line count.
std::pair<int, int> HeadersWith(int lines) {
  return lines == 10 ? std::pair{1, 2} : lines == 1000 ? std::pair{3, 4} : std::pair{5, 6};
}

// A comparison, not a floor: a move reads no SQL at all, the cache answers it;
// this is what a reader without one pays, an indexed query per move.
void MoveIndexedQuery(benchmark::State& state) {
  sqlite3* db = Shared().Db();
  const auto [a, b] = HeadersWith(static_cast<int>(state.range(0)));
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, kHeaderLines, -1, &statement, nullptr);
  bool toA = true;
  Timed(state, "quotation-move-indexed-query-" + std::to_string(state.range(0)), [&] {
    const int header = toA ? a : b;
    toA = !toA;
    const std::string cust = HeaderCust(header), number = HeaderNumber(header);
    sqlite3_bind_text(statement, 1, cust.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, number.c_str(), -1, SQLITE_TRANSIENT);
    ReadAll(statement);
  });
  sqlite3_finalize(statement);
}

// The record sets alone, as the window links them; every shown cell is read.
void Move(benchmark::State& state) {
  Shared();
  store::Connection connection;
  connection.SetConnectionString(store::kReadWriteConnectionString);
  connection.Open();
  store::CommandRecordSet headers(connection, "ADODataSetMaster");
  headers.SetCommandText("select * from Quomaster");
  headers.Open();
  store::CommandRecordSet lines(connection, "ADODataSetDilate");
  lines.SetMaster(&headers);
  lines.SetMasterFields("Cust_no;Quotation_number");
  lines.SetCommandText("select * from QuoDilate");
  lines.Open();
  const auto [a, b] = HeadersWith(static_cast<int>(state.range(0)));
  bool toA = true;
  Timed(state, "quotation-move-" + std::to_string(state.range(0)), [&] {
    headers.MoveTo(toA ? a : b);
    toA = !toA;
    for (int row = 0; row < lines.RecordCount(); ++row)
      for (int column = 0; column < lines.FieldCount(); ++column)
        benchmark::DoNotOptimize(lines.CellText(row, column));
  });
  state.counters["lines"] = lines.RecordCount();
}

// The whole window: the line grids follow and the name box re-queries the customers.
void MoveWindowFloor(benchmark::State& state) {
  sqlite3* db = Shared().Db();
  bool toA = true;
  Timed(state, "quotation-move-window-floor", [&] {
    const int header = toA ? 5 : 6;
    toA = !toA;
    ReadAll(db, kHeaderLines, {HeaderCust(header), HeaderNumber(header)});
    ReadAll(db, "select * from customer where Cust_no like '%' || ? || '%'", {HeaderCust(header)});
  });
}

void MoveWindow(benchmark::State& state) {
  Shared();
  TQuotation window;
  window.EdtCustNo->setText("");
  window.EdtQuotationNumber->setText("");
  window.BtnFindClick();
  window.ADODataSetMaster.Locate("quotation_number", HeaderNumber(5));
  const int a = window.ADODataSetMaster.RecNo();
  window.ADODataSetMaster.Locate("quotation_number", HeaderNumber(6));
  const int b = window.ADODataSetMaster.RecNo();
  bool toA = true;
  Timed(state, "quotation-move-window", [&] {
    window.ADODataSetMaster.MoveTo(toA ? a : b);
    toA = !toA;
  });
}

// --- Customer name per keystroke ------------------------------------------------

const std::vector<std::string> kKeystrokes = {"S", "S0", "S00", "S001", "S0012", "S00123"};

void KeystrokeFloor(benchmark::State& state) {
  sqlite3* db = Shared().Db();
  Timed(state, "quotation-keystroke-floor", [db] {
    for (const std::string& text : kKeystrokes)
      ReadAll(db, "select * from customer where Cust_no like '%' || ? || '%'", {text});
  });
}

void Keystroke(benchmark::State& state) {
  Shared();
  TQuotation window;
  window.BtnNewClick();
  Timed(state, "quotation-keystroke", [&window] {
    // Each round starts again at "S", which differs from the last text, so every step is a change.
    for (const std::string& text : kKeystrokes) window.DBEdit1->setText(QString::fromStdString(text));
  });
}

BENCHMARK(QuotationSearchFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(QuotationSearch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(MoveIndexedQuery)->Arg(10)->Arg(100)->Arg(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(Move)->Arg(10)->Arg(100)->Arg(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(MoveWindowFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(MoveWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(KeystrokeFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Keystroke)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

const bool kRatios = bench::AddFinisher([] {
  if (bench::Median("quotation-search") == 0) return;  // filtered out of this run
  bench::ReportRatio("quotation-search/floor", bench::Ratio("quotation-search", "quotation-search-floor"));
  for (const char* lines : {"10", "100", "1000"})
    bench::ReportRatio(std::string("quotation-move-") + lines + "/indexed-query",
                       bench::Ratio(std::string("quotation-move-") + lines,
                                    std::string("quotation-move-indexed-query-") + lines));
  bench::ReportRatio("quotation-move-1000/move-10", bench::Ratio("quotation-move-1000", "quotation-move-10"));
  bench::ReportRatio("quotation-move-window/floor",
                     bench::Ratio("quotation-move-window", "quotation-move-window-floor"));
  bench::ReportRatio("quotation-keystroke/floor",
                     bench::Ratio("quotation-keystroke", "quotation-keystroke-floor"));
});

}  // namespace
