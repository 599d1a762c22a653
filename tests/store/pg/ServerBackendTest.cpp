#include "store/pg/ServerBackend.h"

#include <gtest/gtest.h>

#include "store/Parameters.h"
#include "store/SelectStatement.h"
#include "support/TestServer.h"

using store::ColumnValue;
using store::RowSource;
using store::pg::ServerBackend;

namespace {

std::vector<std::string> FirstCells(RowSource& rows) {
  std::vector<std::string> cells;
  while (rows.Next()) {
    const store::RowCache::Cell* row = rows.Cells();
    cells.push_back(row[0].null ? "(null)" : std::string(row[0].data, row[0].size));
  }
  return cells;
}

class ServerBackendTest : public ServerFixture {
 protected:
  void SetUp() override {
    ServerFixture::SetUp();
    if (IsSkipped()) return;
    database->Execute(
        "insert into customer (cust_no, cust_name, create_date) values "
        "('S001', '宏達電子', '2024-01-05'), ('S002', '建興五金', null), ('S010', '宏達精密', null)");
    backend = std::make_unique<ServerBackend>(database->Uri());
  }

  std::unique_ptr<RowSource> Select(const std::string& sql) {
    return backend->Select(*store::SelectStatement::Parse(sql), params);
  }

  store::Parameters params;
  std::unique_ptr<ServerBackend> backend;
};

TEST_F(ServerBackendTest, SelectBindsNamedParametersAndYieldsTheTablesColumns) {
  params.Set("name", "宏達");
  auto rows = Select("select * from Customer where cust_name like '%' || :name || '%' or cust_no = :none");
  ASSERT_EQ(rows->Columns().size(), 15u);
  EXPECT_EQ(rows->Columns()[8].name, "PostalCode");
  EXPECT_EQ(rows->Columns()[13].kind, store::FieldKind::Date);
  EXPECT_EQ(FirstCells(*rows), (std::vector<std::string>{"S001", "S010"}));
  EXPECT_EQ(FirstCells(*Select("select * from customer order by cust_no desc")),
            (std::vector<std::string>{"S010", "S002", "S001"}));
}

TEST_F(ServerBackendTest, WritesReturnTheRowAsStoredOrNothingWhenItChangedMeanwhile) {
  auto read = Select("select * from customer");
  ASSERT_TRUE(read->Next());
  const std::vector<store::ColumnInfo> columns = read->Columns();
  const std::int64_t id = read->RowId();
  std::vector<store::RowCache::Cell> originals(read->Cells(), read->Cells() + columns.size());

  auto updated = backend->Update("customer", columns, {ColumnValue{1, "宏達"}, ColumnValue{3, std::nullopt}},
                                 id, originals.data());
  ASSERT_TRUE(updated);
  EXPECT_EQ(updated->RowId(), id);
  EXPECT_EQ(std::string(updated->Cells()[1].data, updated->Cells()[1].size), "宏達");
  // The originals no longer hold: the second save matches nothing, and so does a delete.
  EXPECT_FALSE(backend->Update("customer", columns, {ColumnValue{1, "x"}}, id, originals.data()));
  EXPECT_FALSE(backend->Delete("customer", columns, id, originals.data()));
  EXPECT_EQ(database->Scalar("select cust_name from customer where cust_no = 'S001'"), "宏達");

  auto inserted = backend->Insert("customer", columns, {ColumnValue{0, "S011"}, ColumnValue{13, "2024-2-3"}});
  ASSERT_TRUE(inserted);
  EXPECT_GT(inserted->RowId(), id);
  EXPECT_EQ(std::string(inserted->Cells()[13].data, inserted->Cells()[13].size), "2024-02-03");
  EXPECT_TRUE(backend->Delete("customer", columns, inserted->RowId(), inserted->Cells()));
  EXPECT_EQ(database->Scalar("select count(*) from customer"), "3");
}

}  // namespace
