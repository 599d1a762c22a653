#include "store/pg/ServerBackend.h"

#include <gtest/gtest.h>

#include "store/Parameters.h"
#include "store/RowCache.h"
#include "store/SelectStatement.h"
#include "support/TestServer.h"

using store::ColumnValue;
using store::RowCache;
using store::pg::ServerBackend;

namespace {

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

  // The rows a statement reads, in slices of two.
  std::unique_ptr<RowCache> Read(const std::string& sql) {
    auto source = backend->Select(*store::SelectStatement::Parse(sql), params);
    columns = source->Columns();
    auto rows = std::make_unique<RowCache>(static_cast<int>(columns.size()));
    while (source->Read(*rows, 2)) {
    }
    return rows;
  }

  static std::vector<std::string> Numbers(const RowCache& rows) {
    std::vector<std::string> numbers;
    for (int row = 0; row < rows.Size(); ++row) numbers.emplace_back(rows.Text(row, 0));
    return numbers;
  }

  store::Parameters params;
  std::vector<store::SourceColumn> columns;
  std::unique_ptr<ServerBackend> backend;
};

TEST_F(ServerBackendTest, SelectBindsNamedParametersAndYieldsTheTablesColumns) {
  params.Set("name", "宏達");
  auto read = Read("select * from Customer where cust_name like '%' || :name || '%' or cust_no = :none");
  RowCache& rows = *read;
  ASSERT_EQ(columns.size(), 15u);
  EXPECT_EQ(columns[8].name, "PostalCode");
  EXPECT_EQ(columns[13].kind, store::FieldKind::Date);
  EXPECT_EQ(Numbers(rows), (std::vector<std::string>{"S001", "S010"}));
  EXPECT_EQ(rows.Text(0, 13), "2024-01-05");
  EXPECT_TRUE(rows.IsNull(1, 13));
  EXPECT_EQ(Numbers(*Read("select * from customer order by cust_no desc")),
            (std::vector<std::string>{"S010", "S002", "S001"}));
}

TEST_F(ServerBackendTest, WritesReturnTheRowAsStoredOrNothingWhenItChangedMeanwhile) {
  auto read = Read("select * from customer");
  RowCache& rows = *read;
  const std::int64_t id = rows.RowId(0);
  std::vector<RowCache::Cell> originals;
  for (int c = 0; c < rows.Columns(); ++c) {
    auto value = rows.Value(0, c);
    originals.push_back(value ? RowCache::Cell{value->data(), value->size(), false} : RowCache::Cell{});
  }

  auto updated = backend->Update("customer", columns, {ColumnValue{1, "宏達"}, ColumnValue{3, std::nullopt}},
                                 id, originals.data());
  ASSERT_TRUE(updated);
  EXPECT_EQ(updated->rowId, id);
  EXPECT_EQ(updated->values[1], "宏達");
  EXPECT_EQ(updated->values[13], "2024-01-05");
  // The originals no longer hold: the second save matches nothing, and so does a delete.
  EXPECT_FALSE(backend->Update("customer", columns, {ColumnValue{1, "x"}}, id, originals.data()));
  EXPECT_FALSE(backend->Delete("customer", columns, id, originals.data()));
  EXPECT_EQ(database->Scalar("select cust_name from customer where cust_no = 'S001'"), "宏達");

  store::StoredRow inserted =
      backend->Insert("customer", columns, {ColumnValue{0, "S011"}, ColumnValue{13, "2024-2-3"}});
  EXPECT_GT(inserted.rowId, id);
  EXPECT_EQ(inserted.values[13], "2024-02-03");
  EXPECT_TRUE(backend->Delete("customer", columns, inserted.rowId, inserted.Cells().data()));
  EXPECT_EQ(database->Scalar("select count(*) from customer"), "3");
}

}  // namespace
