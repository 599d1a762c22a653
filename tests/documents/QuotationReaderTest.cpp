#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "documents/MissingData.h"

using documents::DocumentValue;
using documents::LabelledValue;
using documents::MissingData;
using documents::QuotationDocument;
using documents::QuotationReader;

namespace {

const DocumentValue& ValueOf(const std::vector<LabelledValue>& items, const std::string& label) {
  for (const LabelledValue& item : items)
    if (item.label == label) return item.value;
  static const DocumentValue none = DocumentValue::Text("(no such item)");
  return none;
}

std::string MissingText(const std::function<void()>& action) {
  try {
    action();
  } catch (const MissingData& missing) {
    return missing.what();
  }
  return "(nothing missing)";
}

}  // namespace

TEST_P(DocumentStoreTest, ReadsTheCurrentHeaderItsCustomerAndItsOwnLinesInLineOrder) {
  SeedLines(3);
  const QuotationDocument document = Read();
  EXPECT_EQ(document.quotationNumber, "Q1");
  EXPECT_EQ(document.currency, "NTD");
  EXPECT_EQ(ValueOf(document.customer, "客戶編號").shown, "S001");
  EXPECT_EQ(ValueOf(document.customer, "公司名稱").shown, "大同股份有限公司");
  EXPECT_EQ(ValueOf(document.customer, "電話").shown, "02-2592-5252 / 02-2592-5253");
  EXPECT_EQ(ValueOf(document.customer, "E-mail").shown, "sales@example.com.tw");
  EXPECT_EQ(ValueOf(document.header, "付款方式").shown, "月結30天");
  EXPECT_EQ(ValueOf(document.header, "業務員").shown, "陳美玲");
  // Dates as the window shows them, and as dates.
  const DocumentValue& date = ValueOf(document.header, "報價日期");
  EXPECT_EQ(date.shown, "2026/1/2");
  ASSERT_TRUE(date.date);
  EXPECT_EQ(date.date->year * 10000 + date.date->month * 100 + date.date->day, 20260102);
  ASSERT_TRUE(ValueOf(document.header, "稅率").number);
  EXPECT_DOUBLE_EQ(*ValueOf(document.header, "稅率").number, 0.05);

  ASSERT_EQ(document.lines.size(), 3u) << "the other customer's Q1 line is not this quotation's";
  for (int i = 0; i < 3; ++i) EXPECT_EQ(document.lines[i][0].shown, std::to_string(i + 1));
  EXPECT_EQ(document.lines[0][1].shown, "品名001");
  EXPECT_EQ(document.lines[0][2].shown, "007");
  EXPECT_FALSE(document.lines[0][2].number) << "text columns stay text";
  EXPECT_DOUBLE_EQ(*document.lines[0][3].number, 12.5);
}

TEST_P(DocumentStoreTest, ShortNameStandsInForAMissingFullName) {
  const QuotationDocument document = Read("S002");
  EXPECT_EQ(ValueOf(document.customer, "公司名稱").shown, "聲寶");
  EXPECT_EQ(ValueOf(document.customer, "電話").shown, "");
  EXPECT_EQ(document.lines.size(), 1u);
}

TEST_P(DocumentStoreTest, TotalsFollowTheTaxTypeAndSayWhatThePricesAre) {
  database_.Execute(
      "insert into QuoDilate (Cust_no, quotation_number, serial_number, totle) values "
      "('S001', 'Q1', 1, 0.1), ('S001', 'Q1', 2, 0.2), ('S001', 'Q1', 3, null), ('S001', 'Q1', 4, 10.2)");
  auto rows = [](const QuotationDocument& document) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& row : document.TotalRows()) pairs.emplace_back(row.label, row.figure);
    return pairs;
  };
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(rows(Read()),
            (Pairs{{"小計（NTD）", "10.50"}, {"營業稅 5%", "0.52"}, {"含稅總計（NTD）", "11.02"}}));
  headers_.Close();
  EXPECT_EQ(rows(Read("S002")), (Pairs{{"合計（USD）", "0.00"}, {"免稅：以上價格不含稅，不另加稅。", ""}}))
      << "a quotation whose lines carry no totals sums to nothing";
  headers_.Close();
  database_.Execute("update Quomaster set tax_type = '應稅', tax_rate = null where Cust_no = 'S002'");
  EXPECT_EQ(rows(Read("S002"))[1].first, "稅別為應稅，但未填稅率：稅額未計，以上價格為未稅價。");
  headers_.Close();
  database_.Execute("update Quomaster set tax_type = '營業稅' where Cust_no = 'S002'");
  EXPECT_EQ(rows(Read("S002"))[1].first, "稅別「營業稅」：稅額未計，以上價格為未稅價。");
}

// More lines than the store reads at once; equal line numbers keep the order
// the lines were added in, and a line without a number comes first, on either store.
TEST_P(DocumentStoreTest, ReadsEveryLineInOneOrderOnEitherStore) {
  SeedLines(130);
  database_.Execute(
      "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number) values "
      "('S001', 'Q1', 7, '後加甲'), ('S001', 'Q1', 7, '後加乙'), ('S001', 'Q1', null, '無序號')");
  const QuotationDocument document = Read();
  std::vector<std::string> names;
  for (const auto& line : document.lines) names.push_back(line[1].shown);
  ASSERT_EQ(names.size(), 133u);
  EXPECT_EQ(names[0], "無序號");
  EXPECT_EQ(names[1], "品名001");
  EXPECT_EQ(std::vector<std::string>(names.begin() + 7, names.begin() + 10),
            (std::vector<std::string>{"品名007", "後加甲", "後加乙"}));
  EXPECT_EQ(names.back(), "品名130");
}

TEST_P(DocumentStoreTest, NoCurrentHeaderOrAnUnknownCustomerIsMissingData) {
  EXPECT_EQ(MissingText([&] { QuotationReader::Read(headers_); }), QuotationReader::kNoHeader)
      << "closed set";
  headers_.SetCommandText("select * from Quomaster where Cust_no = 'none'");
  headers_.Open();
  EXPECT_EQ(MissingText([&] { QuotationReader::Read(headers_); }), QuotationReader::kNoHeader) << "empty set";
  headers_.Close();

  database_.Execute("insert into Quomaster (Cust_no, quotation_number) values ('S999', 'Q9'), ('', 'Q0')");
  EXPECT_EQ(MissingText([&] { Read("S999"); }),
            std::string(QuotationReader::kUnknownCustomer) + "S999" + QuotationReader::kUnknownCustomerEnd);
  headers_.Close();
  EXPECT_EQ(MissingText([&] { Read(""); }), QuotationReader::kNoCustomerNumber);
}

INSTANTIATE_TEST_SUITE_P(Stores, DocumentStoreTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });
