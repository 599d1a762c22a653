// Large tables, with the idle reader the program runs: how soon each window
// paints over 1,000 and 1,000,000 realistic customers, what New and the first
// key in the quotation's number box cost, and how long the rest of the table
// takes to arrive in the background, against a bare SQLite loop that opens
// its connection exactly as the store does.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchDatabase.h"
#include "BenchServer.h"
#include "CpuTime.h"
#include "store/Connection.h"
#include "store/ReadQueue.h"
#include "store/RecordSet.h"
#include "ui/data/DBEdit.h"
#include "ui/data/DBGrid.h"
#include "ui/data/IdleReader.h"
#include "windows/CustomFindUnt.h"
#include "windows/CustomUnt.h"
#include "windows/QuotationUnt.h"

namespace {

using bench::CpuClock;
using bench::CpuSeconds;

const char* const kFamilies[] = {"陳", "林", "黃", "張", "李", "王", "吳", "劉", "蔡", "楊"};
const char* const kGiven[] = {"志明", "淑芬", "建宏", "美玲", "俊傑", "雅婷", "家豪", "怡君"};
const char* const kTrades[] = {"電子", "塑膠", "五金", "紙業", "印刷", "包裝", "光電", "精密"};
const char* const kBrands[] = {"宏達", "建興", "永豐", "振昌", "聯華",
                               "大同", "新光", "長榮", "華新", "台光"};
const char* const kCities[] = {"台北市中山區民生東路", "新北市板橋區文化路",   "桃園市中壢區中正路",
                               "台中市西屯區台灣大道", "高雄市前鎮區成功二路", "江蘇省昆山市開發區前進東路"};
const char* const kDomains[] = {"hongda-tech.com.tw", "jianxing.com.tw", "yongfeng.com", "example.com.tw"};

std::string Format(const char* pattern, long long value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

// One customer as sales staff type them: full company name, street address, contact and e-mail.
std::vector<std::string> Customer(int i) {
  const std::string brand = kBrands[i % 10], trade = kTrades[(i / 10) % 8];
  return {Format("S%03lld", i + 1LL),
          brand + trade,
          brand + trade + (i % 3 ? "股份有限公司" : "企業有限公司"),
          std::string(kCities[i % 6]) + Format("%lld段", i % 5 + 1) + Format("%lld號", i % 400 + 1) +
              Format("%lld樓", i % 12 + 1),
          std::string(kFamilies[i % 10]) + kGiven[(i / 10) % 8],
          Format("02-2%03lld-", i % 1000) + Format("%04lld", i % 10000),
          Format("0912-%06lld", i % 1000000),
          Format("02-2%03lld-", i % 1000) + Format("%04lld", (i + 1) % 10000),
          Format("%lld", 100 + i % 900),
          Format("sales%lld@", i) + kDomains[i % 4],
          std::string(kFamilies[(i / 3) % 10]) + kGiven[i % 8],
          Format("2025-%02lld-", i % 12 + 1) + Format("%02lld", i % 28 + 1)};
}

template <int Customers>
void Fill(sqlite3* db) {
  bench::Exec(db, "begin");
  bench::InsertRows(db,
                    "insert into customer (cust_no, cust_name, all_name, incaddr, linkman, tel1, tel2, fax, "
                    "PostalCode, email, sales, create_date) values (?,?,?,?,?,?,?,?,?,?,?,?)",
                    Customers, Customer);
  bench::InsertRows(
      db,
      "insert into Quomaster (Cust_no, quotation_number, pay_mode, money_type, tax_rate, "
      "quotation_date, sales) values (?,?,'月結30天','NTD','0.05','2026-01-02','王小明')",
      1000, [](int h) {
        return std::vector<std::string>{Format("S%03lld", h * 7 % Customers + 1), Format("Q2026%05lld", h)};
      });
  bench::InsertRows(db,
                    "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, standard, "
                    "width, high, length, amount, price, totle) values (?,?,?,'彩盒','350g白卡四色',12,8,30,"
                    "100,2.5,250)",
                    10000, [](int i) {
                      const int h = i % 1000;
                      return std::vector<std::string>{Format("S%03lld", h * 7 % Customers + 1),
                                                      Format("Q2026%05lld", h), Format("%lld", i / 1000 + 1)};
                    });
  bench::Exec(db, "commit");
}

bench::BenchDatabase& Thousand() { return bench::Shared<Fill<1000>>(); }
bench::BenchDatabase& Million() { return bench::Shared<Fill<1000000>>(); }

bench::BenchDatabase& Data(int customers) { return customers == 1000 ? Thousand() : Million(); }
std::string Size(int customers) { return customers == 1000 ? "1k" : "1m"; }

void WaitForReading() {
  while (store::ReadQueue::Pending()) QCoreApplication::processEvents();
}

// Shows a window and paints it now, as the first paint after a menu click would.
void Paint(QWidget& window) {
  window.show();
  window.repaint();
  for (ui::DBGrid* grid : window.findChildren<ui::DBGrid*>()) grid->viewport()->repaint();
}

// One sample per iteration: `open` until painted, then `after` untimed.
template <typename Open, typename After>
void Sampled(benchmark::State& state, const std::string& name, Open open, After after) {
  for (auto _ : state) {
    const double start = CpuSeconds(CpuClock::Process);
    open();
    const double seconds = CpuSeconds(CpuClock::Process) - start;
    state.SetIterationTime(seconds);
    bench::RecordSample(name, seconds);
    after();
  }
}

void FirstPaintCustomers(benchmark::State& state) {
  ui::IdleReader reader;
  const int customers = static_cast<int>(state.range(0));
  Data(customers);
  std::unique_ptr<TCustFrm> window;
  Sampled(
      state, "first-paint-customers-" + Size(customers),
      [&] {
        window = std::make_unique<TCustFrm>();
        Paint(*window);
      },
      [&] { window.reset(); });
}

// The window open until the last row has arrived through the idle reader.
void WholeTableInBackground(benchmark::State& state) {
  ui::IdleReader reader;
  Million();
  std::unique_ptr<TCustFrm> window;
  std::size_t memory = 0;
  Sampled(
      state, "open-1m",
      [&] {
        window = std::make_unique<TCustFrm>();
        Paint(*window);
        WaitForReading();
      },
      [&] {
        memory = window->ADOQuery1.MemoryBytes();
        window.reset();
      });
  bench::RecordSample("memory-1m", static_cast<double>(memory));
}

void ReadFloor(benchmark::State& state) {
  const std::string& path = Million().Path();
  sqlite3* db = bench::OpenLikeTheStore(path);
  bench::Timed(state, "read-1m-floor", [db] { bench::ReadAll(db, "select * from customer"); });
  sqlite3_close(db);
}

// The first screen of the same statement: what any reader must do before it paints.
void FirstScreenFloor(benchmark::State& state) {
  sqlite3* db = bench::OpenLikeTheStore(Million().Path());
  const std::string sql = "select * from customer limit " + std::to_string(store::RecordSet::kFirstRows);
  bench::Timed(state, "first-screen-floor", [&] { bench::ReadAll(db, sql.c_str()); });
  sqlite3_close(db);
}

void NewCustomer(benchmark::State& state) {
  Million();
  ui::IdleReader reader;
  TCustFrm window;
  Paint(window);
  WaitForReading();
  bench::Timed(state, "new-1m", bench::Sampling{CpuClock::Process}, [&window] {
    window.BtnNewClick();
    window.BtnUndoClick();
  });
}

void QuotationOpen(benchmark::State& state) {
  ui::IdleReader reader;
  Million();
  std::unique_ptr<TQuotation> window;
  Sampled(
      state, "quotation-open",
      [&] {
        window = std::make_unique<TQuotation>(nullptr);
        Paint(*window);
      },
      [&] { window.reset(); });
}

void LookupOpen(benchmark::State& state) {
  Million();
  ui::IdleReader reader;
  TQuotation owner(nullptr);
  WaitForReading();
  TCustmoterFindFrm* lookup = nullptr;
  Sampled(
      state, "lookup-open",
      [&] {
        lookup = new TCustmoterFindFrm(&owner);
        Paint(*lookup);
      },
      [&] { delete lookup; });
}

// New in the quotation window, then the first key in its customer-number box.
void FirstKeystroke(benchmark::State& state) {
  Million();
  ui::IdleReader reader;
  for (auto _ : state) {
    TQuotation window(nullptr);
    Paint(window);
    window.BtnNewClick();
    WaitForReading();
    const double start = CpuSeconds(CpuClock::Process);
    window.DBEdit1->setText("S");
    window.DBGrid1->viewport()->repaint();
    const double seconds = CpuSeconds(CpuClock::Process) - start;
    state.SetIterationTime(seconds);
    bench::RecordSample("keystroke-first", seconds);
  }
}

void FirstKeystrokeFloor(benchmark::State& state) {
  sqlite3* db = bench::OpenLikeTheStore(Million().Path());
  const std::string sql = "select * from customer where Cust_no like '%' || ? || '%' limit " +
                          std::to_string(store::RecordSet::kFirstRows);
  bench::Timed(state, "keystroke-first-floor", [&] { bench::ReadAll(db, sql.c_str(), {"S"}); });
  sqlite3_close(db);
}

// The same window on the server's million customers (BenchServer): every
// connection opens the server. New's samples add the server session's
// processor time to this program's; the first paint's session starts inside
// the sample, so only this program's time counts there.
class OnTheServer {
 public:
  explicit OnTheServer(benchmark::State& state) : available_(bench::BenchServer::Get().Available()) {
    if (!available_)
      state.SkipWithError(("skipped: no PostgreSQL server: " + bench::BenchServer::Get().Reason()).c_str());
    else
      store::Connection::SetTarget(bench::BenchServer::Get().Uri());
  }
  ~OnTheServer() { store::Connection::SetTarget(""); }
  bool Available() const { return available_; }

 private:
  bool available_;
};

void PgFirstPaintCustomers(benchmark::State& state) {
  OnTheServer server(state);
  if (!server.Available()) return;
  ui::IdleReader reader;
  std::unique_ptr<TCustFrm> window;
  Sampled(
      state, "pg-first-paint-customers-1m",
      [&] {
        window = std::make_unique<TCustFrm>();
        Paint(*window);
      },
      [&] { window.reset(); });
}

void PgNewCustomer(benchmark::State& state) {
  OnTheServer server(state);
  if (!server.Available()) return;
  ui::IdleReader reader;
  TCustFrm window;
  Paint(window);
  WaitForReading();
  const int session = bench::StoreSessionProcess();
  const auto now = [session] {
    return CpuSeconds(CpuClock::Process) + bench::ServerProcessCpuSeconds(session);
  };
  for (auto _ : state) {
    const double start = now();
    window.BtnNewClick();
    window.BtnUndoClick();
    const double seconds = now() - start;
    state.SetIterationTime(seconds);
    bench::RecordSample("pg-new-1m", seconds);
  }
}

BENCHMARK(FirstPaintCustomers)
    ->Arg(1000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7);
BENCHMARK(FirstScreenFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(ReadFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(WholeTableInBackground)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(NewCustomer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(QuotationOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(LookupOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(FirstKeystroke)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(FirstKeystrokeFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(PgFirstPaintCustomers)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(PgNewCustomer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The first paint of a program that has touched nothing yet: a child process
// of this program opens the customer window once (see FirstPaintInFreshProcess).
void FreshProcess(benchmark::State& state) {
  const std::string dir = Million().Dir();
  for (auto _ : state) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--first-paint-in"), QString::fromStdString(dir)});
    child.waitForFinished(-1);
    const double seconds = child.readAllStandardOutput().trimmed().toDouble();
    state.SetIterationTime(seconds);
    bench::RecordSample("first-paint-customers-1m-fresh", seconds);
  }
}
BENCHMARK(FreshProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

constexpr double kNewLimit = 1.3, kPaintLimit = 0.1;

const bool kRatios = bench::AddFinisher([] {
  if (bench::Median("first-paint-customers-1m") == 0) return;  // filtered out of this run
  std::printf(
      "large tables: first paint 1k %.1f ms, 1m %.1f ms (fresh process %.1f ms); quotation %.1f ms, "
      "lookup %.1f ms, first key %.1f ms; New %.0f ms; whole table in the background %.0f ms, bare read "
      "%.0f ms; memory %.1f MiB for %.1f MiB of text\n",
      bench::Median("first-paint-customers-1k") * 1e3, bench::Median("first-paint-customers-1m") * 1e3,
      bench::Median("first-paint-customers-1m-fresh") * 1e3, bench::Median("quotation-open") * 1e3,
      bench::Median("lookup-open") * 1e3, bench::Median("keystroke-first") * 1e3,
      bench::Median("new-1m") * 1e3, bench::Median("open-1m") * 1e3, bench::Median("read-1m-floor") * 1e3,
      bench::Median("memory-1m") / (1 << 20), Million().RawTextBytes() / (1 << 20));
  bench::ReportRatio("first-paint-customers-1m/first-paint-customers-1k",
                     bench::Ratio("first-paint-customers-1m", "first-paint-customers-1k"));
  bench::ReportRatio("first-paint-customers-1m-fresh/first-paint-customers-1m",
                     bench::Ratio("first-paint-customers-1m-fresh", "first-paint-customers-1m"));
  bench::ReportRatio("new-1m/open-1m", bench::Ratio("new-1m", "open-1m"));
  bench::ReportRatio("open-1m/floor", bench::Ratio("open-1m", "read-1m-floor"));
  bench::ReportRatio("quotation-open/floor", bench::Ratio("quotation-open", "first-screen-floor"));
  bench::ReportRatio("lookup-open/floor", bench::Ratio("lookup-open", "first-screen-floor"));
  bench::ReportRatio("keystroke-first/floor", bench::Ratio("keystroke-first", "keystroke-first-floor"));
  bench::ReportRatio("memory-1m/rawtext", bench::Median("memory-1m") / Million().RawTextBytes());
  // Against the times a user waits at most: New 1.3 s, the first paint 0.1 s.
  bench::ReportRatio("new-1m/limit", bench::Median("new-1m") / kNewLimit);
  bench::ReportRatio("first-paint-customers-1m/limit",
                     bench::Median("first-paint-customers-1m") / kPaintLimit);
  if (bench::Median("pg-new-1m") == 0) return;  // no server
  std::printf("large tables on the server: first paint %.1f ms, New %.0f ms\n",
              bench::Median("pg-first-paint-customers-1m") * 1e3, bench::Median("pg-new-1m") * 1e3);
  bench::ReportRatio("pg-new-1m/limit", bench::Median("pg-new-1m") / kNewLimit);
  bench::ReportRatio("pg-first-paint-customers-1m/limit",
                     bench::Median("pg-first-paint-customers-1m") / kPaintLimit);
});

}  // namespace

namespace bench {

int FirstPaintInFreshProcess(const char* dir) {
  QDir::setCurrent(QString::fromUtf8(dir));
  ui::IdleReader reader;
  const double start = CpuSeconds(CpuClock::Process);
  {
    TCustFrm window;
    Paint(window);
    std::printf("%.6f\n", CpuSeconds(CpuClock::Process) - start);
  }
  return 0;
}

}  // namespace bench
