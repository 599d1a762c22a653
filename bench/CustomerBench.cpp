// The customer window on 100,000 customers: opening it (its query and grid
// model) and a Find that matches 1% of them, each against bare SQLite reading
// the same rows.
#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchDatabase.h"
#include "CpuTime.h"
#include "ui/data/DBGrid.h"
#include "ui/data/RecordSetModel.h"
#include "windows/CustFrmSearchPanel.h"
#include "windows/CustomUnt.h"

namespace {

using bench::ReadAll;
using bench::Timed;

constexpr int kCustomers = 100000;
// Numbers S00001..S100000: "S00" is in S00001..S00999, about 1% of them.
const char* const kOnePercent = "S00";

std::string CustNo(int customer) {
  char text[16];
  std::snprintf(text, sizeof text, "S%05d", customer + 1);
  return text;
}

void FillCustomers(sqlite3* db) {
  bench::Exec(db, "begin");
  bench::InsertRows(db,
                    "insert into customer (cust_no, cust_name, all_name, incaddr, linkman, tel1, fax, "
                    "PostalCode, email, sales, create_date) values (?,?,?,?,'陳先生','02-2345-6789',"
                    "'02-2345-6790','104','sales@example.com','王小明','2026-01-02')",
                    kCustomers, [](int i) {
                      return std::vector<std::string>{CustNo(i), "客戶" + std::to_string(i),
                                                      "股份有限公司 " + std::to_string(i),
                                                      "台北市中山路 " + std::to_string(i) + " 號"};
                    });
  bench::Exec(db, "commit");
}

// One data.mdb for every benchmark here.
bench::BenchDatabase& Shared() { return bench::Shared<FillCustomers>(); }

void CustomerOpenFloor(benchmark::State& state) {
  sqlite3* db = Shared().Db();
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
  sqlite3* db = Shared().Db();
  Timed(state, "customer-find-floor",
        [db] { ReadAll(db, "select * from customer where cust_no like '%' || ? || '%'", {kOnePercent}); });
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

const bool kRatios = bench::AddFinisher([] {
  if (bench::Median("customer-open") > 0)
    bench::ReportRatio("customer-open/floor", bench::Ratio("customer-open", "customer-open-floor"));
  if (bench::Median("customer-find") > 0)
    bench::ReportRatio("customer-find/floor", bench::Ratio("customer-find", "customer-find-floor"));
});

}  // namespace
