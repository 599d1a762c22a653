#include <gtest/gtest.h>

#include "store/DateFormat.h"
#include "store/Text.h"

namespace {

TEST(TextTest, NamesMatchWithoutRegardToAsciiCaseOnly) {
  EXPECT_TRUE(store::SameText("Cust_NO", "cust_no"));
  EXPECT_FALSE(store::SameText("cust_no", "cust_n"));
  EXPECT_FALSE(store::SameText("cust_no", "cust-no"));
  EXPECT_TRUE(store::SameText("客戶", "客戶"));
  EXPECT_FALSE(store::SameText("客戶", "客户"));
}

TEST(TextTest, OnlyBlanksAreTrimmedAndTypesAreReadInCapitals) {
  EXPECT_EQ(store::TrimBlanks("  Data Source "), "Data Source");
  EXPECT_EQ(store::TrimBlanks("   "), "");
  EXPECT_EQ(store::TrimBlanks("\tS001\n"), "\tS001\n");
  EXPECT_EQ(store::UpperDeclaredType("varchar(10)"), "VARCHAR(10)");
  EXPECT_EQ(store::UpperDeclaredType(nullptr), "");
}

TEST(TextTest, CalendarDatesOnly) {
  const store::DateFormat& format = store::DateFormat::Current();
  EXPECT_EQ(format.ToIso("2024/2/29"), "2024-02-29");
  EXPECT_EQ(format.ToIso("2000-02-29"), "2000-02-29");
  EXPECT_FALSE(format.ToIso("1900-02-29"));
  EXPECT_FALSE(format.ToIso("2023-02-29"));
  EXPECT_FALSE(format.ToIso("2024-04-31"));
  EXPECT_FALSE(format.ToIso("2024-13-01"));
  EXPECT_FALSE(format.ToIso("2024-00-10"));
  EXPECT_FALSE(format.ToIso("0000-01-01"));
  EXPECT_EQ(format.ToIso(" 2024-12-31 "), "2024-12-31");
}

}  // namespace
