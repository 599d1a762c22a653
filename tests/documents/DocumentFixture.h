#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "documents/QuotationReader.h"
#include "store/CommandRecordSet.h"
#include "store/Connection.h"
#include "store/DateFormat.h"
#include "support/StoreDatabase.h"
#include "ui/app/LocaleDateFormat.h"

// A database holding customer S001 with quotation Q1 of `lines` lines (stored
// in reverse line order), a second customer's header with the same number,
// and the window's short date format of a Taiwanese locale ("2026/1/2").
// A file, unless a test of data made on either store asks for the server.
class DocumentFixture : public ::testing::Test {
 protected:
  explicit DocumentFixture(StoreKind kind = StoreKind::File) : database_(kind) {}

  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(database_);
    store::DateFormat::Install(
        std::make_shared<ui::LocaleDateFormat>(QLocale(QLocale::Chinese, QLocale::Taiwan)));
    database_.Connect(connection_);
    database_.Execute(
        "insert into customer (cust_no, cust_name, all_name, incaddr, linkman, tel1, tel2, fax, email) "
        "values "
        "('S001', '大同', '大同股份有限公司', '台北市中山北路三段22號', '王小明', '02-2592-5252', "
        "'02-2592-5253', "
        "'02-2585-1111', 'sales@example.com.tw'),"
        "('S002', '聲寶', '', '', '', '', '', '', '')");
    database_.Execute(
        "insert into Quomaster (Cust_no, quotation_number, pay_mode, pay_condition, consign_mode, "
        "money_type, "
        "tax_type, tax_rate, quotation_date, availability_date, sales) values "
        "('S001', 'Q1', '月結30天', 'FOS', '快遞', 'NTD', '應稅', 0.05, '2026-01-02', '2026-02-28', "
        "'陳美玲'),"
        "('S002', 'Q1', '現金', 'CIF', '空運', 'USD', '免稅', 0, '2026-03-04', '2026-04-05', '林志明')");
    database_.Execute(
        "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number) values "
        "('S002', 'Q1', 1, '別家的品項')");
  }

  void TearDown() override { store::DateFormat::Install(nullptr); }

  // Lines 1..count of S001/Q1, written last line first.
  void SeedLines(int count, const std::string& longName = {}) {
    std::string values;
    for (int serial = count; serial >= 1; --serial) {
      char name[32];
      std::snprintf(name, sizeof name, "品名%03d", serial);
      const std::string shown = serial == 2 && !longName.empty() ? longName : name;
      values.append(values.empty() ? "" : ", ")
          .append("('S001', 'Q1', " + std::to_string(serial) + ", '" + shown + "', '" +
                  (serial == 1 ? "007" : "不鏽鋼") + "', 12.5, 8, 30, 100, 2.5, " + std::to_string(serial) +
                  ".25)");
    }
    if (count > 0)
      database_.Execute(
          "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, standard, width, "
          "high, length, amount, price, totle) values " +
          values);
  }

  // The header of a customer, current in the header set as after a search.
  documents::QuotationDocument Read(const std::string& custNo = "S001") {
    OpenHeaders();
    EXPECT_TRUE(headers_.Locate("Cust_no", custNo));
    return documents::QuotationReader::Read(headers_);
  }

  void OpenHeaders() {
    headers_.SetCommandText("select * from Quomaster");
    headers_.Open();
  }

  QString OutputPath(const QString& name) const { return output_.filePath(name); }

  StoreDatabase database_;
  store::Connection connection_;
  store::CommandRecordSet headers_{connection_, "ADODataSetMaster"};
  QTemporaryDir output_;
};

// The same on the file and on the server.
class DocumentStoreTest : public DocumentFixture, public ::testing::WithParamInterface<StoreKind> {
 protected:
  DocumentStoreTest() : DocumentFixture(GetParam()) {}
};

// Runs a command-line tool; nothing when it is not installed or fails.
inline std::optional<QByteArray> RunTool(const QString& program, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(program).isEmpty()) return std::nullopt;
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return std::nullopt;
  return process.readAllStandardOutput();
}

// Skips the test loudly when a tool it reads the output with is missing.
#define REQUIRE_TOOL(program)                            \
  if (QStandardPaths::findExecutable(program).isEmpty()) \
  GTEST_SKIP() << program << " is not installed (Debian poppler-utils / unzip): output not checked"
