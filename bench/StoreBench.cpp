// The record-set layer against a bare SQLite loop (the floor) and against
// Qt's own model over the same file (a peer), plus master-link moves over a
// million lines.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchDatabase.h"
#include "CpuTime.h"
#include "CustomerRows.h"
#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "store/ReadQueue.h"
#include "store/Schema.h"
#include "store/sqlite/Statement.h"

#ifdef SQ_HAVE_QTSQL
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlTableModel>
#endif

namespace {

constexpr int kCustomers = 100000;
constexpr int kHeaders = 10000;
constexpr int kLinesPerHeader = 100;
constexpr int kRepetitions = 7;
constexpr int kMovesPerSample = 2000;

// Samples are the thread's CPU time: on a shared two-core machine wall time
// mostly measures the other processes.
double Now() { return bench::CpuSeconds(bench::CpuClock::Thread); }
double Seconds(double start) { return Now() - start; }

const char* const kWords[] = {"宏達", "建興", "永豐", "振昌", "聯華", "大同", "新光", "長榮", "華新", "台光"};

std::string Text(const char* pattern, int value) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

// The generated files live in a temporary directory for the whole run.
class BenchFiles {
 public:
  static BenchFiles& Get() {
    static BenchFiles files;
    return files;
  }
  ~BenchFiles() {
    std::error_code error;
    std::filesystem::remove_all(dir_, error);
  }
  const std::string& Customers() {
    if (customers_.empty()) MakeCustomers();
    return customers_;
  }
  const std::string& Lines() {
    if (lines_.empty()) MakeLines();
    return lines_;
  }
  double RawTextBytes() const { return rawTextBytes_; }

 private:
  BenchFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sqbench.XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
  }

  static void Fill(sqlite3* db, store::sqlite::Statement& insert, int count, int columns,
                   const std::function<std::string(int row, int column)>& cell) {
    store::sqlite::Execute(db, "begin");
    for (int row = 0; row < count; ++row) {
      for (int c = 0; c < columns; ++c) {
        std::string value = cell(row, c);
        if (value.empty())
          insert.BindNull(c + 1);
        else
          insert.BindText(c + 1, value);
      }
      insert.Step();
      sqlite3_reset(insert.Handle());
    }
    store::sqlite::Execute(db, "commit");
  }

  void MakeCustomers() {
    std::string path = dir_ + "/customers.mdb";
    store::CreateDatabase(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    {
      store::sqlite::Statement insert(db, "insert into customer values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
      Fill(db, insert, kCustomers, bench::kCustomerColumns, bench::CustomerCell);
    }
    store::sqlite::Statement raw(
        db,
        "select sum(length(cast(cust_no as blob)) + length(cast(cust_name as blob)) + "
        "length(cast(all_name as blob)) + length(cast(incaddr as blob)) + "
        "length(cast(linkman as blob)) + length(cast(tel1 as blob)) + length(cast(tel2 as blob)) "
        "+ length(cast(fax as blob)) + length(cast(PostalCode as blob)) + "
        "length(cast(email as blob)) + length(cast(sales as blob)) + "
        "length(cast(ap_user as blob)) + length(cast(ed_user as blob)) + "
        "length(cast(create_date as blob)) + length(cast(last_date as blob))) from customer");
    raw.Step();
    rawTextBytes_ = sqlite3_column_double(raw.Handle(), 0);
    sqlite3_close(db);
    customers_ = path;
  }

  void MakeLines() {
    std::string path = dir_ + "/lines.mdb";
    store::CreateDatabase(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    {
      store::sqlite::Statement header(
          db, "insert into Quomaster (Cust_no, quotation_number, pay_mode) values (?,?,?)");
      Fill(db, header, kHeaders, 3, [](int row, int column) -> std::string {
        if (column == 0) return Text("S%05d", row / 2);
        if (column == 1) return Text("Q2024%05d", row);
        return "現金";
      });
      store::sqlite::Statement line(
          db,
          "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, standard, "
          "width, high, length, amount, price, totle) values (?,?,?,?,?,?,?,?,?,?,?)");
      // Lines of one header are spread over the table, as years of entry leave them.
      Fill(db, line, kHeaders * kLinesPerHeader, 11, [](int row, int column) -> std::string {
        int header = row % kHeaders;
        switch (column) {
          case 0:
            return Text("S%05d", header / 2);
          case 1:
            return Text("Q2024%05d", header);
          case 2:
            return Text("%d", row / kHeaders + 1);
          case 3:
            return std::string("彩盒") + kWords[row % 10];
          case 4:
            return "350g白卡四色";
          case 5:
            return Text("%d", 10 + row % 50);
          case 6:
            return Text("%d", 5 + row % 40);
          case 7:
            return Text("%d", 1 + row % 30);
          case 8:
            return Text("%d", 100 * (1 + row % 20));
          case 9:
            return Text("%d.25", row % 9);
          default:
            return Text("%d.5", row % 9000);
        }
      });
    }
    sqlite3_close(db);
    lines_ = path;
  }

  std::string dir_;
  std::string customers_;
  std::string lines_;
  double rawTextBytes_ = 0;
};

void BM_Floor_SqliteStepReadingEveryText(benchmark::State& state) {
  const std::string& path = BenchFiles::Get().Customers();
  sqlite3* db = bench::OpenLikeTheStore(path);
  for (auto _ : state) {
    const double start = Now();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "select * from customer", -1, &stmt, nullptr);
    std::size_t bytes = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      for (int c = 0; c < columns; ++c) {
        const unsigned char* text = sqlite3_column_text(stmt, c);
        bytes += static_cast<std::size_t>(sqlite3_column_bytes(stmt, c)) + (text ? text[0] : 0);
      }
    }
    sqlite3_finalize(stmt);
    benchmark::DoNotOptimize(bytes);
    bench::RecordSample("store.floor", Seconds(start));
  }
  sqlite3_close(db);
}
BENCHMARK(BM_Floor_SqliteStepReadingEveryText)->Unit(benchmark::kMillisecond)->Iterations(kRepetitions);

void BM_RecordSet_Open(benchmark::State& state) {
  store::Connection connection;
  connection.SetConnectionString("Data Source=" + BenchFiles::Get().Customers());
  connection.Open();
  store::QueryRecordSet query(connection, "ADOQuery1");
  query.SQL().Add("select * from customer");
  std::size_t memory = 0;
  for (auto _ : state) {
    const double start = Now();
    query.Open();
    bench::RecordSample("store.open", Seconds(start));
    memory = query.MemoryBytes();
    benchmark::DoNotOptimize(query.RecordCount());
    state.PauseTiming();
    query.Close();
    state.ResumeTiming();
  }
  state.counters["MiB"] = static_cast<double>(memory) / (1 << 20);
  bench::RecordSample("store.memory", static_cast<double>(memory));
}
BENCHMARK(BM_RecordSet_Open)->Unit(benchmark::kMillisecond)->Iterations(kRepetitions);

constexpr int kScreenRows = 40;

// What a grid reads before its first paint: the first screen of rows.
template <typename Model>
std::size_t ReadFirstScreen(const Model& model, int columns) {
  std::size_t chars = 0;
  for (int r = 0; r < kScreenRows && r < model.RecordsRead(); ++r)
    for (int c = 0; c < columns; ++c) chars += model.CellText(r, c).size();
  return chars;
}

// The record set opened as the program opens it, the rest left to the idle time.
void BM_RecordSet_FirstScreen(benchmark::State& state) {
  store::Connection connection;
  connection.SetConnectionString("Data Source=" + BenchFiles::Get().Customers());
  connection.Open();
  store::QueryRecordSet query(connection, "ADOQuery1");
  query.SQL().Add("select * from customer");
  store::ReadQueue::SetWake([] {});
  for (auto _ : state) {
    const double start = Now();
    query.Open();
    benchmark::DoNotOptimize(ReadFirstScreen(query, query.FieldCount()));
    bench::RecordSample("store.first-screen", Seconds(start));
    query.Close();
  }
  store::ReadQueue::SetWake(nullptr);
}
BENCHMARK(BM_RecordSet_FirstScreen)->Unit(benchmark::kMillisecond)->Iterations(kRepetitions);

#ifdef SQ_HAVE_QTSQL
// Qt's models do, on open, what a view asks of them: the query, the row count
// it has fetched so far and the cells of the first screen.
template <typename Open>
void PeerFirstScreen(benchmark::State& state, const char* sample, Open open) {
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench");
    db.setDatabaseName(QString::fromStdString(BenchFiles::Get().Customers()));
    db.open();
    for (auto _ : state) {
      const double start = Now();
      auto model = open(db);
      std::size_t chars = 0;
      const int rows = std::min(model->rowCount(), kScreenRows), columns = model->columnCount();
      for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) chars += model->data(model->index(r, c)).toString().size();
      benchmark::DoNotOptimize(chars);
      bench::RecordSample(sample, Seconds(start));
    }
    db.close();
  }
  QSqlDatabase::removeDatabase("bench");
}

void BM_Peer_QSqlQueryModelFirstScreen(benchmark::State& state) {
  PeerFirstScreen(state, "store.peer-querymodel", [](QSqlDatabase& db) {
    auto model = std::make_unique<QSqlQueryModel>();
    model->setQuery(QSqlQuery("select * from customer", db));
    return model;
  });
}
BENCHMARK(BM_Peer_QSqlQueryModelFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(kRepetitions);

void BM_Peer_QSqlTableModelFirstScreen(benchmark::State& state) {
  PeerFirstScreen(state, "store.peer-tablemodel", [](QSqlDatabase& db) {
    auto model = std::make_unique<QSqlTableModel>(nullptr, db);
    model->setTable("customer");
    model->select();
    return model;
  });
}
BENCHMARK(BM_Peer_QSqlTableModelFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(kRepetitions);
#endif

// A header set over 10,000 headers and its line set over 1,000,000 lines.
struct LinkedSets {
  store::Connection connection;
  store::CommandRecordSet master{connection, "ADODataSetMaster"};
  store::CommandRecordSet lines{connection, "ADODataSetDilate"};
  LinkedSets() {
    connection.SetConnectionString("Data Source=" + BenchFiles::Get().Lines());
    connection.Open();
    master.SetCommandText("select * from Quomaster");
    master.Open();
    lines.SetMaster(&master);
    lines.SetMasterFields("Cust_no;Quotation_number");
    lines.SetCommandText("select * from QuoDilate");
    const double start = Now();
    lines.Open();
    bench::RecordSample("store.linkopen", Seconds(start));
  }
};

void BM_MasterLink_MoveOverAMillionLines(benchmark::State& state) {
  LinkedSets sets;
  std::size_t shown = 0;
  for (auto _ : state) {
    const double start = Now();
    for (int i = 0; i < kMovesPerSample; ++i) {
      sets.master.Next();
      if (sets.master.Eof()) sets.master.First();
      shown += sets.lines.RecordCount();
    }
    bench::RecordSample("store.linkmove", Seconds(start) / kMovesPerSample);
  }
  if (shown != static_cast<std::size_t>(kLinesPerHeader) * kMovesPerSample * state.iterations())
    state.SkipWithError("a header did not show its lines");
  state.counters["us/move"] = bench::Median("store.linkmove") * 1e6;
}
BENCHMARK(BM_MasterLink_MoveOverAMillionLines)->Unit(benchmark::kMillisecond)->Iterations(kRepetitions);

// What the same lines cost through an indexed query of their own.
void BM_BareQuery_OneHeadersLines(benchmark::State& state) {
  sqlite3* db = bench::OpenLikeTheStore(BenchFiles::Get().Lines());
  {
    store::sqlite::Statement query(db, "select * from QuoDilate where Cust_no = ? and quotation_number = ?");
    int header = 0;
    for (auto _ : state) {
      const double start = Now();
      std::size_t bytes = 0;
      for (int i = 0; i < kMovesPerSample; ++i, header = (header + 1) % kHeaders) {
        sqlite3_reset(query.Handle());
        query.BindText(1, Text("S%05d", header / 2));
        query.BindText(2, Text("Q2024%05d", header));
        const int columns = sqlite3_column_count(query.Handle());
        while (query.Step())
          for (int c = 0; c < columns; ++c) {
            sqlite3_column_text(query.Handle(), c);
            bytes += static_cast<std::size_t>(sqlite3_column_bytes(query.Handle(), c));
          }
      }
      benchmark::DoNotOptimize(bytes);
      bench::RecordSample("store.linesquery", Seconds(start) / kMovesPerSample);
    }
  }
  sqlite3_close(db);
}
BENCHMARK(BM_BareQuery_OneHeadersLines)->Unit(benchmark::kMillisecond)->Iterations(kRepetitions);

const bool kRatios = bench::AddFinisher([] {
  double floor = bench::Median("store.floor");
  double open = bench::Median("store.open");
  double firstScreen = bench::Median("store.first-screen");
  double queryModel = bench::Median("store.peer-querymodel");
  double tableModel = bench::Median("store.peer-tablemodel");
  double raw = BenchFiles::Get().RawTextBytes();
  std::printf(
      "store: floor %.1f ms, open %.1f ms, first screen %.2f ms (QSqlQueryModel %.2f ms, QSqlTableModel "
      "%.2f ms), memory %.1f MiB for %.1f MiB of text\n",
      floor * 1e3, open * 1e3, firstScreen * 1e3, queryModel * 1e3, tableModel * 1e3,
      bench::Median("store.memory") / (1 << 20), raw / (1 << 20));
  std::printf("store: line set open %.0f ms, move %.2f us, bare query of one header's lines %.2f us\n",
              bench::Median("store.linkopen") * 1e3, bench::Median("store.linkmove") * 1e6,
              bench::Median("store.linesquery") * 1e6);
  if (floor > 0 && open > 0) bench::ReportRatio("open/floor", open / floor);
  if (firstScreen > 0 && queryModel > 0)
    bench::ReportRatio("first-screen/peer-querymodel", firstScreen / queryModel);
  if (firstScreen > 0 && tableModel > 0)
    bench::ReportRatio("first-screen/peer-tablemodel", firstScreen / tableModel);
  if (raw > 0) bench::ReportRatio("memory/rawtext", bench::Median("store.memory") / raw);
  double move = bench::Median("store.linkmove"), query = bench::Median("store.linesquery");
  if (move > 0 && query > 0) bench::ReportRatio("linkmove/linesquery", move / query);
});

}  // namespace
