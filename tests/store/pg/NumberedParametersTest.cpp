#include "store/pg/NumberedParameters.h"

#include <gtest/gtest.h>

using store::pg::NumberedParameters;

TEST(NumberedParametersTest, NamesBecomeNumbersInOrderOfFirstUse) {
  auto numbered = NumberedParameters::From(
      "select * from QuoDilate where Cust_no = :cust and quotation_number = :quotation or Cust_no = :cust");
  EXPECT_EQ(numbered.sql,
            "select * from QuoDilate where Cust_no = $1 and quotation_number = $2 or Cust_no = $1");
  EXPECT_EQ(numbered.names, (std::vector<std::string>{"cust", "quotation"}));
}

TEST(NumberedParametersTest, PlacesWithoutNamesTakeTheNextNumber) {
  auto numbered = NumberedParameters::From("update t set a = ?, b = '?' where row_id = ?");
  EXPECT_EQ(numbered.sql, "update t set a = $1, b = '?' where row_id = $2");
  EXPECT_EQ(numbered.names.size(), 2u);
}

TEST(NumberedParametersTest, QuotesCommentsAndCastsKeepTheirColons) {
  auto numbered = NumberedParameters::From(
      "select ':a', \"x:b\", 'it''s :c' || :d::text -- :e\n"
      "/* :f */ from customer where cust_name like '%' || :name || '%'");
  EXPECT_EQ(numbered.sql,
            "select ':a', \"x:b\", 'it''s :c' || $1::text -- :e\n"
            "/* :f */ from customer where cust_name like '%' || $2 || '%'");
  EXPECT_EQ(numbered.names, (std::vector<std::string>{"d", "name"}));
}

TEST(NumberedParametersTest, StatementsWithoutNamesAndUnclosedQuotesPassUnchanged) {
  for (const char* sql : {"select * from customer", "select * from customer where a = ':x",
                          "select a: from t", "select * from customer where cust_no like '%S0'':%'"}) {
    auto numbered = NumberedParameters::From(sql);
    EXPECT_EQ(numbered.sql, sql);
    EXPECT_TRUE(numbered.names.empty()) << sql;
  }
}
