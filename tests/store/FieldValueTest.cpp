#include "store/FieldValue.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "support/TempDatabase.h"

namespace {

double ReadBack(const std::string& text) {
  double value = std::nan("");
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

TEST(FieldValueTest, RealsAreWrittenInPlainDecimalThatReadsBackExactly) {
  for (double value : {100000.0, 3000000.0, 0.1, 0.30000000000000004, 123456789012345.0, 1e21, 1e-7, -2.5,
                       std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min()}) {
    const std::string text = store::FormatDouble(value);
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    EXPECT_EQ(ReadBack(text), value) << text;
  }
  EXPECT_EQ(store::FormatDouble(100000), "100000");
  EXPECT_EQ(store::FormatDouble(1234567.25), "1234567.25");
  EXPECT_EQ(store::FormatDouble(0.000001), "0.000001");
}

TEST(FieldValueTest, StoredRealsAndTypedNumbersShowAsTyped) {
  TempDatabase db;
  db.Execute(
      "insert into QuoDilate (Cust_no, amount, price, totle) values ('S001', 100000, 0.05, 3000000), "
      "('S002', 999999999999999, 1e-5, 12345678901.25)");
  store::Connection connection;
  db.Connect(connection);
  store::QueryRecordSet lines(connection, "ADODataSetDilate");
  lines.SQL().Add("select * from QuoDilate order by Cust_no");
  lines.Open();
  const int amount = lines.FieldByName("amount").Index();
  const int price = lines.FieldByName("price").Index();
  const int total = lines.FieldByName("totle").Index();
  EXPECT_EQ(lines.CellText(0, amount), "100000");
  EXPECT_EQ(lines.CellText(0, price), "0.05");
  EXPECT_EQ(lines.CellText(0, total), "3000000");
  EXPECT_EQ(lines.CellText(1, amount), "999999999999999");
  EXPECT_EQ(lines.CellText(1, price), "0.00001");
  EXPECT_EQ(lines.CellText(1, total), "12345678901.25");
  EXPECT_EQ(store::ToStoredValue(store::FieldKind::Float, "2e6"), "2000000");
}

}  // namespace
