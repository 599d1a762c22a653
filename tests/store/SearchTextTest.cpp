#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>

#include "store/Connection.h"
#include "store/QueryRecordSet.h"
#include "support/StoreDatabase.h"

namespace {

struct Search {
  const char* text;
  const char* numbers;  // the customers found, in store order
};

void PrintTo(const Search& search, std::ostream* out) { *out << search.text; }

// The windows' substring search finds the same rows on either store, whatever
// the text holds: a backslash is itself, "%" and "_" keep their pattern meaning.
class SearchTextTest : public ::testing::TestWithParam<std::tuple<StoreKind, Search>> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    db.Execute(
        "insert into customer (cust_no, incaddr) values ('S001', 'C:\\DIR\\a'), ('S002', 'C:DIR'), "
        "('S003', '100%'), ('S004', 'a_b'), ('S005', 'x\\y'), ('S006', '')");
    db.Connect(connection);
  }

  StoreDatabase db{std::get<0>(GetParam())};
  store::Connection connection;
};

TEST_P(SearchTextTest, FindsTheSameCustomersOnBothStores) {
  const Search& search = std::get<1>(GetParam());
  store::QueryRecordSet query(connection, "ADOQuery1");
  query.SQL().Add("select * from customer where incaddr like '%' || :T || '%' order by cust_no");
  query.Params().Set("T", search.text);
  query.Open();
  std::string numbers;
  for (; !query.Eof(); query.Next())
    numbers += (numbers.empty() ? "" : ",") + query.FieldByName("cust_no").AsString();
  EXPECT_EQ(numbers, search.numbers) << search.text;
}

INSTANTIATE_TEST_SUITE_P(
    Stores, SearchTextTest,
    ::testing::Combine(::testing::Values(StoreKind::File, StoreKind::Server),
                       ::testing::Values(Search{"\\", "S001,S005"}, Search{"C:\\DIR", "S001"},
                                         Search{"\\DIR\\", "S001"},
                                         Search{"%", "S001,S002,S003,S004,S005,S006"},
                                         Search{"_", "S001,S002,S003,S004,S005"}, Search{"0%", "S003"},
                                         Search{"a_b", "S004"})),
    [](const auto& info) { return StoreName(std::get<0>(info.param)) + "_" + std::to_string(info.index); });

}  // namespace
