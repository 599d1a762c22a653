// The record-set layer on a PostgreSQL server with 1,000,000 customers, against
// bare libpq reading every value (the floor) and Qt's own model over its
// PostgreSQL driver (a peer). Samples are the processor time of both sides:
// the calling thread's and the server process's that answers it.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchServer.h"
#include "CpuTime.h"
#include "store/Connection.h"
#include "store/QueryRecordSet.h"

#ifdef SQ_HAVE_QTSQL
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QVariant>
#endif

namespace {

constexpr int kRepetitions = 7;

double Now(int serverProcess) {
  return bench::CpuSeconds(bench::CpuClock::Thread) + bench::ServerProcessCpuSeconds(serverProcess);
}

bool SkippedWithoutServer(benchmark::State& state) {
  if (bench::BenchServer::Get().Available()) return false;
  state.SkipWithError(("skipped: no PostgreSQL server: " + bench::BenchServer::Get().Reason()).c_str());
  return true;
}

void BM_PgFloor_LibpqReadingEveryValue(benchmark::State& state) {
  if (SkippedWithoutServer(state)) return;
  PGconn* conn = PQconnectdb(bench::BenchServer::Get().Uri().c_str());
  const int server = PQbackendPID(conn);
  for (auto _ : state) {
    const double start = Now(server);
    PGresult* result = PQexec(conn, "select * from customer");
    std::size_t bytes = 0;
    for (int row = 0, rows = PQntuples(result), columns = PQnfields(result); row < rows; ++row)
      for (int c = 0; c < columns; ++c)
        bytes +=
            static_cast<std::size_t>(PQgetlength(result, row, c)) +
            (PQgetisnull(result, row, c) ? 0 : static_cast<unsigned char>(PQgetvalue(result, row, c)[0]));
    PQclear(result);
    benchmark::DoNotOptimize(bytes);
    bench::RecordSample("pg.floor", Now(server) - start);
  }
  PQfinish(conn);
}
BENCHMARK(BM_PgFloor_LibpqReadingEveryValue)->Unit(benchmark::kMillisecond)->Iterations(kRepetitions);

void BM_PgRecordSet_Open(benchmark::State& state) {
  if (SkippedWithoutServer(state)) return;
  store::Connection connection;
  connection.SetConnectionString("Data Source=" + bench::BenchServer::Get().Uri());
  connection.Open();
  const int server = bench::StoreSessionProcess();
  store::QueryRecordSet query(connection, "ADOQuery1");
  query.SQL().Add("select * from customer");
  for (auto _ : state) {
    const double start = Now(server);
    query.Open();
    benchmark::DoNotOptimize(query.RecordCount());  // every row read
    bench::RecordSample("pg.open", Now(server) - start);
    state.PauseTiming();
    query.Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PgRecordSet_Open)->Unit(benchmark::kMillisecond)->Iterations(kRepetitions);

#ifdef SQ_HAVE_QTSQL
// Qt's driver takes the connection's parts one by one.
void Configure(QSqlDatabase& db, const std::string& uri) {
  PQconninfoOption* options = PQconninfoParse(uri.c_str(), nullptr);
  for (PQconninfoOption* option = options; option && option->keyword; ++option) {
    if (!option->val) continue;
    const std::string key = option->keyword;
    const QString value = QString::fromUtf8(option->val);
    if (key == "host" || key == "hostaddr")
      db.setHostName(value);
    else if (key == "port")
      db.setPort(value.toInt());
    else if (key == "user")
      db.setUserName(value);
    else if (key == "password")
      db.setPassword(value);
    else if (key == "dbname")
      db.setDatabaseName(value);
  }
  PQconninfoFree(options);
}

void BM_PgPeer_QSqlQueryModelReadingEveryCell(benchmark::State& state) {
  if (SkippedWithoutServer(state)) return;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "pgbench");
    Configure(db, bench::BenchServer::Get().Uri());
    if (!db.open()) {
      state.SkipWithError(("skipped: Qt's PostgreSQL driver did not connect: " + db.lastError().text())
                              .toStdString()
                              .c_str());
    } else {
      QSqlQuery pid("select pg_backend_pid()", db);
      pid.next();
      const int server = pid.value(0).toInt();
      for (auto _ : state) {
        const double start = Now(server);
        QSqlQueryModel model;
        model.setQuery(QSqlQuery("select * from customer", db));
        while (model.canFetchMore()) model.fetchMore();
        std::size_t chars = 0;
        const int rows = model.rowCount(), columns = model.columnCount();
        for (int r = 0; r < rows; ++r)
          for (int c = 0; c < columns; ++c) chars += model.data(model.index(r, c)).toString().size();
        benchmark::DoNotOptimize(chars);
        bench::RecordSample("pg.peer", Now(server) - start);
      }
      db.close();
    }
  }
  QSqlDatabase::removeDatabase("pgbench");
}
BENCHMARK(BM_PgPeer_QSqlQueryModelReadingEveryCell)->Unit(benchmark::kMillisecond)->Iterations(kRepetitions);
#endif

const bool kRatios = bench::AddFinisher([] {
  if (!bench::BenchServer::Get().Available()) {
    std::printf("pg: skipped, no PostgreSQL server: %s\n", bench::BenchServer::Get().Reason().c_str());
    return;
  }
  const double floor = bench::Median("pg.floor"), open = bench::Median("pg.open"),
               peer = bench::Median("pg.peer");
  std::printf("pg: floor %.1f ms, open %.1f ms, peer %.1f ms (client and server processor time)\n",
              floor * 1e3, open * 1e3, peer * 1e3);
  if (floor > 0 && open > 0) bench::ReportRatio("pg-open/floor", open / floor);
  if (open > 0 && peer > 0) bench::ReportRatio("pg-peer/open", peer / open);
});

}  // namespace
