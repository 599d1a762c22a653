// The quotation workspace on 10,000 quotations: the register's first paint
// with 1,000,000 lines against the same register with 1,000, a search
// keystroke for one-, two- and six-character Chinese terms against the
// register's unfiltered query, and price memory per keystroke. File store.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchDatabase.h"
#include "CpuTime.h"
#include "store/Connection.h"
#include "store/PriceMemory.h"
#include "store/QuotationRegister.h"
#include "windows/WorkspaceUnt.h"

namespace {

using bench::Exec;
using bench::InsertRows;
using bench::Timed;

constexpr int kCustomers = 1000;
constexpr int kQuotations = 10000;
// Products are two to six characters from a small alphabet, so that short terms match many lines.
constexpr const char* kSyllables[] = {"彩", "盒", "紙", "箱", "瓦", "楞", "吸", "塑",
                                      "標", "籤", "袋", "泡", "棉", "內", "襯", "書"};

std::string Format(const char* pattern, int value) {
  char text[32];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string CustNo(int c) { return Format("S%04d", c); }
std::string Number(int q) { return Format("Q%06d", q); }
std::string Product(int p) {
  std::string name;
  for (int i = 0, n = 2 + p % 5; i < n; ++i) name += kSyllables[(p * 7 + i * 3 + i * p) % 16];
  return name;
}

template <int Lines>
void Fill(sqlite3* db) {
  Exec(db, "begin");
  InsertRows(db, "insert into customer (cust_no, cust_name, all_name, sales) values (?,?,?,'王小明')",
             kCustomers, [](int c) {
               return std::vector<std::string>{CustNo(c), "客戶" + std::to_string(c),
                                               "股份有限公司" + std::to_string(c)};
             });
  InsertRows(
      db,
      "insert into Quomaster (Cust_no, quotation_number, money_type, tax_type, tax_rate, quotation_date, "
      "sales) values (?,?,'NTD','應稅','0.05',?,'王小明')",
      kQuotations, [](int q) {
        return std::vector<std::string>{CustNo(q % kCustomers), Number(q),
                                        Format("2025-%02d-", 1 + q % 12) + Format("%02d", 1 + q % 28)};
      });
  InsertRows(
      db,
      "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, standard, amount, "
      "price, totle) values (?,?,?,?,'A4',100,2.5,250)",
      Lines, [](int i) {
        const int q = i % kQuotations;
        return std::vector<std::string>{CustNo(q % kCustomers), Number(q),
                                        std::to_string(i / kQuotations + 1), Product(i % 3000)};
      });
  Exec(db, "commit");
}

// Made once per size; the summary is built before any sample.
template <int Lines>
bench::BenchDatabase& Data() {
  bench::BenchDatabase& data = bench::Shared<Fill<Lines>>();
  static const bool prepared = [] {
    store::Connection connection;
    connection.SetConnectionString(store::kReadWriteConnectionString);
    store::QuotationRegister::Prepare(connection);
    return true;
  }();
  (void)prepared;
  return data;
}

template <int Lines>
void RegisterOpen(benchmark::State& state, const char* name) {
  Data<Lines>();
  Timed(state, name, [] {
    TQuotationWorkspace window;
    window.resize(1100, 600);
    window.show();
    QApplication::processEvents();
    window.grab();
  });
}

void RegisterOpen1k(benchmark::State& state) { RegisterOpen<1000>(state, "register.open.1k"); }
void RegisterOpen1m(benchmark::State& state) { RegisterOpen<1000000>(state, "register.open.1m"); }

// The register's own query, unfiltered: the floor a search keystroke is held to.
void RegisterFloor(benchmark::State& state) {
  Data<1000000>();
  store::Connection connection;
  connection.SetConnectionString(store::kReadWriteConnectionString);
  connection.Open();
  store::QuotationRegister list(connection);
  Timed(state, "register.floor", [&] { benchmark::DoNotOptimize(list.Find({})); });
}

// One keystroke: the box's text changes to a term of the length measured,
// alternately one of two, and the register is queried and painted again.
void RegisterFilter(benchmark::State& state) {
  Data<1000000>();
  static const std::pair<std::string, std::string> kTerms[] = {
      {"彩", "盒"}, {"彩盒", "紙箱"}, {Product(4), Product(9)}};
  const auto& [a, b] = kTerms[state.range(0)];
  TQuotationWorkspace window;
  window.resize(1100, 600);
  window.show();
  QApplication::processEvents();
  bool first = true;
  Timed(state, "register.filter." + std::to_string(QString::fromStdString(a).size()), [&] {
    window.SearchBox->setText(QString::fromStdString(first ? a : b));
    first = !first;
    QApplication::processEvents();
    window.grab();
  });
  state.counters["shown"] = window.RegisterSort->rowCount();
}

void PriceMemoryKeystroke(benchmark::State& state) {
  Data<1000000>();
  store::Connection connection;
  connection.SetConnectionString(store::kReadWriteConnectionString);
  connection.Open();
  store::PriceMemory memory(connection);
  const QString product = QString::fromStdString(Product(4));
  Timed(state, "pricememory.keystroke", [&] {
    for (int n = 1; n <= product.size(); ++n)
      benchmark::DoNotOptimize(memory.Recall(CustNo(4), product.left(n).toStdString()));
  });
}

BENCHMARK(RegisterOpen1k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(RegisterOpen1m)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(RegisterFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(RegisterFilter)->UseManualTime()->Unit(benchmark::kMillisecond)->DenseRange(0, 2)->Iterations(10);
BENCHMARK(PriceMemoryKeystroke)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

const bool kRatios = bench::AddFinisher([] {
  bench::ReportRatio("register.open.1m/register.open.1k",
                     bench::Ratio("register.open.1m", "register.open.1k"));
  for (const char* length : {"1", "2", "6"})
    bench::ReportRatio(std::string("register.filter.1m.") + length + "/floor",
                       bench::Ratio(std::string("register.filter.") + length, "register.floor"));
  bench::ReportRatio("register.open.1m.seconds", bench::Median("register.open.1m"));
  bench::ReportRatio("register.filter.1m.worst.seconds",
                     std::max({bench::Median("register.filter.1"), bench::Median("register.filter.2"),
                               bench::Median("register.filter.6")}));
  // Per keystroke: the samples cover every prefix of a six-character product.
  bench::ReportRatio("pricememory.keystroke.seconds", bench::Median("pricememory.keystroke") / 6);
});

}  // namespace
