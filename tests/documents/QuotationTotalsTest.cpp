#include <gtest/gtest.h>

#include <cctype>
#include <stdexcept>

#include "documents/QuotationTotals.h"

using documents::QuotationTotals;
using Kind = QuotationTotals::TaxKind;

namespace {

struct TotalsCase {
  const char* what;
  std::vector<std::string> lines;
  const char* taxType;
  const char* rate;
  int decimals;
  const char* subtotal;
  const char* tax;
  const char* total;
  const char* percent;
};

class QuotationTotalsTest : public ::testing::TestWithParam<TotalsCase> {};

// Halves go to the even neighbour, worked out on the decimal digits: a double
// holds 2.675 as 2.67499…, 1.015 as 1.01499…, and rounds 0.525 away from zero.
const TotalsCase kCases[] = {
    {"taxable", {"1000", "2260"}, "應稅", "0.05", 2, "3260.00", "163.00", "3423.00", "5%"},
    {"tax half to even", {"10.50"}, "應稅", "0.05", 2, "10.50", "0.52", "11.02", "5%"},
    {"tax half up to even", {"10.70"}, "應稅", "0.05", 2, "10.70", "0.54", "11.24", "5%"},
    {"subtotal 2.675", {"2.675"}, "免稅", "0", 2, "2.68", "0.00", "2.68", ""},
    {"subtotal 1.015", {"1", "0.015"}, "免稅", "", 2, "1.02", "0.00", "1.02", ""},
    {"tenths add up", std::vector<std::string>(10, "0.1"), "", "", 2, "1.00", "0.00", "1.00", ""},
    {"stored double noise", {"0.30000000000000004"}, "", "", 2, "0.30", "0.00", "0.30", ""},
    {"negative half", {"-1.255"}, "", "", 2, "-1.26", "0.00", "-1.26", ""},
    {"negative zero", {"-0.001"}, "", "", 2, "0.00", "0.00", "0.00", ""},
    {"non-numbers count nothing", {"", "abc", "1,5", "nan", "3"}, "", "", 2, "3.00", "0.00", "3.00", ""},
    {"exponents", {"1e3", "1.5E-1", "+2e+0"}, "", "", 2, "1002.15", "0.00", "1002.15", ""},
    {"tiny", {"0.000000000000000000000001"}, "", "", 2, "0.00", "0.00", "0.00", ""},
    {"whole money", {"2.5", "1"}, "應稅", "0.17", 0, "4", "1", "5", "17%"},
    {"zero decimals ties", {"3.5"}, "", "", 0, "4", "0", "4", ""},
    {"rate with a half percent", {"200"}, " 應稅 ", "0.055", 2, "200.00", "11.00", "211.00", "5.5%"},
    {"taxable without a rate", {"200"}, "應稅", "", 2, "200.00", "0.00", "200.00", ""},
    {"included", {"105"}, "含稅", "0.05", 2, "105.00", "0.00", "105.00", ""},
    {"zero rated", {"105"}, "零稅", "0.05", 2, "105.00", "0.00", "105.00", ""},
    {"no lines", {}, "應稅", "0.05", 2, "0.00", "0.00", "0.00", "5%"},
    {"large",
     {"12345678901234567.89", "0.01"},
     "應稅",
     "0.05",
     2,
     "12345678901234567.90",
     "617283945061728.40",
     "12962962846296296.30",
     "5%"},
};

TEST_P(QuotationTotalsTest, FiguresAreExactDecimals) {
  const TotalsCase& c = GetParam();
  const QuotationTotals totals(c.lines, c.taxType, c.rate, c.decimals);
  EXPECT_EQ(totals.Subtotal(), c.subtotal);
  EXPECT_EQ(totals.Tax(), c.tax);
  EXPECT_EQ(totals.Total(), c.total);
  EXPECT_EQ(totals.RatePercent(), c.percent);
  EXPECT_EQ(totals.ChargesTax(), *c.percent != '\0');
}

INSTANTIATE_TEST_SUITE_P(Cases, QuotationTotalsTest, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string name;
  for (const char* c = info.param.what; *c; ++c)
    name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name;
});

TEST(QuotationTotalsKinds, TaxTypesAreReadAsTheyAreWritten) {
  EXPECT_EQ(QuotationTotals::KindOf("應稅"), Kind::Added);
  EXPECT_EQ(QuotationTotals::KindOf("  內含"), Kind::Included);
  EXPECT_EQ(QuotationTotals::KindOf("免稅"), Kind::Exempt);
  EXPECT_EQ(QuotationTotals::KindOf("零稅率"), Kind::ZeroRated);
  EXPECT_EQ(QuotationTotals::KindOf(""), Kind::Unknown);
  EXPECT_EQ(QuotationTotals::KindOf("營業稅"), Kind::Unknown);
}

TEST(QuotationTotalsKinds, FiguresBeyondReachAreRefusedNotWrapped) {
  EXPECT_THROW(QuotationTotals({"1e25"}, "", ""), std::range_error);
  EXPECT_THROW(QuotationTotals({"99999999999999999999.5", "99999999999999999999.5", "1e-18"}, "", ""),
               std::range_error);
  EXPECT_NO_THROW(QuotationTotals({"99999999999999999999.5", "1e-18"}, "", ""));
  EXPECT_DOUBLE_EQ(QuotationTotals::ValueOf("3423.00"), 3423.0);
}

}  // namespace
