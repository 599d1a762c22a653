// The customer window on 100,000 customers: opening it (its query and grid
// model) and a Find that matches 1% of them, each against bare SQLite reading
// the same rows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "Ratios.h"
#include "store/Schema.h"
#include "ui/data/DBGrid.h"
#include "ui/data/RecordSetModel.h"
#include "windows/CustFrmSearchPanel.h"
#include "windows/CustomUnt.h"

namespace {

constexpr int kCustomers = 100000;
// Numbers S00001..S100000: "S00" is in S00001..S00999, about 1% of them.
const char* const kOnePercent = "S00";

std::string CustNo(int customer) {
  char text[16];
  std::snprintf(text, sizeof text, "S%05d", customer + 1);
  return text;
}

void Exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

void FillCustomers(sqlite3* db) {
  Exec(db, "begin");
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db,
                     "insert into customer (cust_no, cust_name, all_name, incaddr, linkman, tel1, fax, "
                     "PostalCode, email, sales, create_date) values (?,?,?,?,'陳先生','02-2345-6789',"
                     "'02-2345-6790','104','sales@example.com','王小明','2026-01-02')",
                     -1, &statement, nullptr);
  for (int i = 0; i < kCustomers; ++i) {
    const std::string values[] = {CustNo(i), "客戶" + std::to_string(i), "股份有限公司 " + std::to_string(i),
                                  "台北市中山路 " + std::to_string(i) + " 號"};
    for (int v = 0; v < 4; ++v) sqlite3_bind_text(statement, v + 1, values[v].c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(statement);
    sqlite3_reset(statement);
  }
  sqlite3_finalize(statement);
  Exec(db, "commit");
}

// One data.mdb for every benchmark here; bare SQLite keeps its own connection.
struct Data {
  QTemporaryDir dir;
  sqlite3* db = nullptr;

  Data() {
    QDir::setCurrent(dir.path());
    store::CreateDatabase("data.mdb");
    sqlite3_open("data.mdb", &db);
    FillCustomers(db);
  }
  ~Data() { sqlite3_close(db); }
};

Data& Shared() {
  static Data data;
  QDir::setCurrent(data.dir.path());
  return data;
}

// Prepares, binds and steps to the end reading every column in its stored
// type: the least any reader of these rows must do.
void ReadAll(sqlite3* db, const char* sql, const char* param = nullptr) {
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  if (param) sqlite3_bind_text(statement, 1, param, -1, SQLITE_TRANSIENT);
  const int columns = sqlite3_column_count(statement);
  while (sqlite3_step(statement) == SQLITE_ROW)
    for (int c = 0; c < columns; ++c) {
      if (sqlite3_column_type(statement, c) == SQLITE_TEXT)
        benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
      else
        benchmark::DoNotOptimize(sqlite3_column_int64(statement, c));
    }
  sqlite3_finalize(statement);
}

// Processor time of this process, so that builds sharing the machine do not count.
double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename F>
void Timed(benchmark::State& state, const std::string& name, F work) {
  for (auto _ : state) {
    const double start = CpuSeconds();
    work();
    const double seconds = CpuSeconds() - start;
    state.SetIterationTime(seconds);
    bench::RecordSample(name, seconds);
  }
}

void CustomerOpenFloor(benchmark::State& state) {
  sqlite3* db = Shared().db;
  Timed(state, "customer-open-floor", [db] { ReadAll(db, "select * from customer"); });
}

// The whole window: connection, ADOQuery1 over every customer, the grid's model and the controls.
void CustomerOpen(benchmark::State& state) {
  Shared();
  std::unique_ptr<TCustFrm> window;
  Timed(state, "customer-open", [&window] {
    window.reset();
    window = std::make_unique<TCustFrm>();
  });
  state.counters["rows"] = window->DBGrid1->Model()->rowCount();
}

void CustomerFindFloor(benchmark::State& state) {
  sqlite3* db = Shared().db;
  Timed(state, "customer-find-floor",
        [db] { ReadAll(db, "select * from customer where cust_no like '%' || ? || '%'", kOnePercent); });
}

void CustomerFind(benchmark::State& state) {
  Shared();
  TCustFrm window;
  window.Panel1->edtname->setText(QString::fromUtf8(kOnePercent));
  Timed(state, "customer-find", [&window] { window.BtnFindClick(); });
  state.counters["rows"] = window.DBGrid1->Model()->rowCount();
}

BENCHMARK(CustomerOpenFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(CustomerOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(CustomerFindFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(CustomerFind)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

double Ratio(const std::string& name, const std::string& floor) {
  const double below = bench::Median(floor);
  return below > 0 ? bench::Median(name) / below : 0;
}

const bool kRatios = bench::AddFinisher([] {
  if (bench::Median("customer-open") > 0)
    bench::ReportRatio("customer-open/floor", Ratio("customer-open", "customer-open-floor"));
  if (bench::Median("customer-find") > 0)
    bench::ReportRatio("customer-find/floor", Ratio("customer-find", "customer-find-floor"));
});

}  // namespace
