// Rows written by another tool hold values this program would never write: a
// BLOB in a text column, a number in a date column. Nobody changed them since
// they were read, so they must save and delete like any other row.
#include <gtest/gtest.h>

#include <string>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "support/StoreDatabase.h"
#include "support/StoreMessage.h"

namespace {

struct ForeignValue {
  const char* table;
  const char* column;
  const char* fileValue;    // SQL literal in a file
  const char* serverValue;  // on a server, "" where its typed column cannot hold such a value
};

// A table's key columns, then the edited one.
struct TableUse {
  const char* keys;
  const char* keyValues;
  const char* edited;
};

TableUse UseOf(const std::string& table) {
  if (table == "customer") return {"cust_no", "'S001'", "linkman"};
  return {"Cust_no, quotation_number", "'S001', 'Q1'", "pay_mode"};
}

constexpr ForeignValue kValues[] = {
    {"customer", "cust_name", "x'e5ae8fe98194'", ""},  // 宏達 as bytes
    {"customer", "all_name", "x'ff00fe'", ""},         // not even UTF-8, with a zero byte
    {"customer", "incaddr", "x''", ""},
    {"customer", "create_date", "20240601", ""},
    {"customer", "last_date", "'不是日期'", ""},
    {"customer", "last_date", "x'3230323401'", ""},
    {"Quomaster", "tax_rate", "x'00'", ""},
    {"Quomaster", "tax_rate", "'五趴'", ""},
    {"Quomaster", "tax_rate", "0.1e0 + 0.2e0", "0.1::float8 + 0.2::float8"},
    {"Quomaster", "tax_rate", "4.9e-324", "4.9e-324::float8"},
    {"Quomaster", "quotation_date", "'2024-6-1'", "'2024-6-1'"},
};

class ForeignValuesTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override { SQ_SKIP_WITHOUT_STORE(db); }

  StoreDatabase db{GetParam()};
};

TEST_P(ForeignValuesTest, ARowWithAValueThisProgramWouldNotWriteSavesAndDeletes) {
  for (const ForeignValue& value : kValues) {
    const char* literal = db.Kind() == StoreKind::File ? value.fileValue : value.serverValue;
    if (!*literal) continue;
    const TableUse use = UseOf(value.table);
    const std::string table = value.table, column = value.column;
    SCOPED_TRACE(table + "." + column + " = " + literal);
    db.Execute("insert into " + table + " (" + use.keys + ", " + column + ") values (" + use.keyValues +
               ", " + literal + ")");
    store::Connection connection;
    db.Connect(connection);
    store::QueryRecordSet set(connection, "ADOQuery1");
    set.SQL().Add("select * from " + table);
    set.Open();
    set.Edit();
    set.FieldByName(use.edited).SetAsString("改過");
    EXPECT_EQ(MessageOf([&] { set.Post(); }), "(no error)");
    const std::string same = "select count(*) from " + table + " where " + column + " = " + literal;
    EXPECT_EQ(db.Scalar(same + " and " + use.edited + " = '改過'"), "1");
    EXPECT_EQ(MessageOf([&] { set.Delete(); }), "(no error)");
    EXPECT_EQ(db.Scalar("select count(*) from " + table), "0");
    db.Execute("delete from " + table);
  }
}

INSTANTIATE_TEST_SUITE_P(Stores, ForeignValuesTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
