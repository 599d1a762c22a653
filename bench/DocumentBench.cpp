// A quotation as a document: its PDF and its workbook, 1,000 lines and one
// page, each per line against reading those lines from the store (the
// floor). Targets on this machine: a 1,000-line PDF under one second, a
// one-page PDF under 100 ms (the seconds are the "seconds" counters).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "BenchDatabase.h"
#include "CpuTime.h"
#include "documents/PdfWriter.h"
#include "documents/QuotationReader.h"
#include "documents/XlsxWriter.h"
#include "store/CommandRecordSet.h"
#include "store/Connection.h"

namespace {

using bench::Timed;

// Q1000 carries 1,000 lines, Q20 twenty: one page.
void FillDatabase(sqlite3* db) {
  bench::Exec(db, "begin");
  bench::Exec(
      db,
      "insert into customer (cust_no, cust_name, all_name, incaddr, linkman, tel1, fax, email) values "
      "('S001', '大同', '大同股份有限公司', '台北市中山北路三段22號', '王小明', '02-2592-5252', "
      "'02-2585-1111', 'sales@example.com.tw')");
  for (const char* number : {"Q1000", "Q20"})
    bench::Exec(db, (std::string("insert into Quomaster (Cust_no, quotation_number, pay_mode, money_type, "
                                 "tax_type, tax_rate, quotation_date, availability_date, sales) values "
                                 "('S001', '") +
                     number + "', '月結30天', 'NTD', '應稅', 0.05, '2026-01-02', '2026-02-28', '陳美玲')")
                        .c_str());
  for (auto [number, count] : {std::pair{"Q1000", 1000}, std::pair{"Q20", 20}})
    bench::InsertRows(
        db,
        "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, standard, "
        "width, high, length, amount, price, totle) values ('S001', ?, ?, ?, '不鏽鋼 304 拉絲', "
        "12.5, 8, 30, 100, 2.5, 250)",
        count, [number](int i) {
          return std::vector<std::string>{number, std::to_string(i + 1),
                                          "品名 " + std::to_string(i + 1) + " 精密零件"};
        });
  bench::Exec(db, "commit");
}

bench::BenchDatabase& Shared() { return bench::Shared<FillDatabase>(); }

int LinesOf(const std::string& number) { return number == "Q1000" ? 1000 : 20; }

void LinesFloor(benchmark::State& state) {
  sqlite3* db = Shared().Db();
  Timed(state, "document-lines-floor", bench::Sampling{bench::CpuClock::Process, 5, 1000}, [db] {
    bench::ReadAll(
        db, "select * from QuoDilate where Cust_no = ? and quotation_number = ? order by serial_number",
        {"S001", "Q1000"});
  });
}

// The window's path: the header current in its set, the document read, the file written.
template <typename Write>
void Document(benchmark::State& state, const std::string& name, const std::string& number, Write write) {
  Shared();
  store::Connection connection;
  connection.SetConnectionString(store::kReadWriteConnectionString);
  connection.Open();
  store::CommandRecordSet headers(connection, "ADODataSetMaster");
  headers.SetCommandText("select * from Quomaster");
  headers.Open();
  headers.Locate("quotation_number", number);
  QTemporaryDir folder;
  const int lines = LinesOf(number);
  Timed(state, name, bench::Sampling{bench::CpuClock::Process, 1, lines}, [&] {
    write(documents::QuotationReader::Read(headers), folder.filePath(QString::fromStdString(number)));
  });
  state.counters["seconds"] = bench::Median(name) * lines;
}

void WritePdf(const documents::QuotationDocument& document, const QString& path) {
  documents::PdfWriter::Write(document, path + ".pdf");
}

void WriteXlsx(const documents::QuotationDocument& document, const QString& path) {
  documents::XlsxWriter::Write(document, path + ".xlsx", "yyyy/M/d");
}

void Pdf1000(benchmark::State& state) { Document(state, "document-pdf-1000", "Q1000", WritePdf); }
void Xlsx1000(benchmark::State& state) { Document(state, "document-xlsx-1000", "Q1000", WriteXlsx); }
void PdfOnePage(benchmark::State& state) { Document(state, "document-pdf-20", "Q20", WritePdf); }

BENCHMARK(LinesFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(Pdf1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Xlsx1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(PdfOnePage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

const bool kRatios = bench::AddFinisher([] {
  if (bench::Median("document-pdf-1000") == 0) return;  // filtered out of this run
  bench::ReportRatio("document-pdf-1000-per-line/floor",
                     bench::Ratio("document-pdf-1000", "document-lines-floor"));
  bench::ReportRatio("document-xlsx-1000-per-line/floor",
                     bench::Ratio("document-xlsx-1000", "document-lines-floor"));
});

}  // namespace
