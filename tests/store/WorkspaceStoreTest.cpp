#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "store/Connection.h"
#include "store/PriceMemory.h"
#include "store/QuotationNumbers.h"
#include "store/QuotationRecord.h"
#include "store/QuotationRegister.h"
#include "support/StoreDatabase.h"
#include "support/StoreMessage.h"

namespace {

constexpr const char* kConflict =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

struct Seed {
  const char* cust;
  const char* number;
  const char* date;
  const char* sales;
  std::vector<std::pair<const char*, const char*>> lines;  // product, spec
};

const std::vector<Seed> kSeeds = {
    {"S001", "Q2024001", "2024-01-05", "陳美華", {{"彩盒", "350g白卡四色"}, {"瓦楞紙箱", "五層AB楞"}}},
    {"S002", "Q2024002", "2024-02-10", "林志強", {{"吸塑盒", "PET 0.3mm"}}},
    {"S002", "Q2024003", "2024-03-15", "王大明", {{"說明書", "80g道林紙"}, {"彩盒", "銅版紙,上光"}}},
    {"S003", "B-77", "2024-04-20", "陳美華", {}},
};

class WorkspaceStoreTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    SQ_SKIP_WITHOUT_STORE(db);
    db.Execute(
        "insert into customer (cust_no, cust_name, all_name) values ('S001', '宏達電子', "
        "'宏達電子股份有限公司'),"
        "('S002', '建興', '建興塑膠有限公司'), ('S003', 'Acme', 'Acme Ltd')");
    for (const Seed& seed : kSeeds) {
      db.Execute(
          std::string("insert into Quomaster (Cust_no, quotation_number, quotation_date, sales, tax_type, "
                      "tax_rate) values ('") +
          seed.cust + "', '" + seed.number + "', '" + seed.date + "', '" + seed.sales + "', '應稅', 0.05)");
      int serial = 0;
      for (auto [product, spec] : seed.lines)
        db.Execute(
            std::string("insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, "
                        "standard, amount, price, totle) values ('") +
            seed.cust + "', '" + seed.number + "', " + std::to_string(++serial) + ", '" + product + "', '" +
            spec + "', 10, 1.5, 15)");
    }
    db.Connect(connection);
    store::QuotationRegister::Prepare(connection);
  }

  std::vector<std::string> Numbers(const store::RegisterFilter& filter) {
    std::vector<std::string> numbers;
    for (const store::RegisterRow& row : store::QuotationRegister(connection).Find(filter))
      numbers.push_back(row.number);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
  }

  // What a plain substring match over the seeded texts finds.
  static std::vector<std::string> Expected(const std::string& term) {
    const std::map<std::string, std::vector<std::string>> names = {
        {"S001", {"宏達電子", "宏達電子股份有限公司"}},
        {"S002", {"建興", "建興塑膠有限公司"}},
        {"S003", {"Acme", "Acme Ltd"}}};
    std::vector<std::string> numbers;
    for (const Seed& seed : kSeeds) {
      std::vector<std::string> texts = names.at(seed.cust);
      texts.insert(texts.end(), {seed.cust, seed.number, seed.sales});
      for (auto [product, spec] : seed.lines) texts.insert(texts.end(), {product, spec});
      if (std::any_of(texts.begin(), texts.end(),
                      [&](const std::string& t) { return t.find(term) != std::string::npos; }))
        numbers.push_back(seed.number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
  }

  StoreDatabase db{GetParam()};
  store::Connection connection;
};

TEST_P(WorkspaceStoreTest, SearchFindsExactlyWhatAPlainSubstringMatchFinds) {
  for (const char* term : {"盒",    "彩盒",   "達",   "宏達電子股份", "紙",       "S00",         "S002",
                           "Q2024", "陳",     "美華", "B-7",          "AB楞",     "銅版紙,上光", ",",
                           "盒,",   "四色彩", "acme", "Ltd",          "有限公司", "不存在"}) {
    SCOPED_TRACE(term);
    EXPECT_EQ(Numbers({term, "", ""}), Expected(term));
  }
  EXPECT_EQ(Numbers({"", "", ""}).size(), kSeeds.size());
}

TEST_P(WorkspaceStoreTest, DatesBoundTheRegisterAndTheListIsNewestFirst) {
  EXPECT_EQ(Numbers({"", "2024-02-01", "2024-03-31"}), (std::vector<std::string>{"Q2024002", "Q2024003"}));
  EXPECT_EQ(Numbers({"盒", "2024-02-01", ""}), (std::vector<std::string>{"Q2024002", "Q2024003"}));
  std::vector<store::RegisterRow> rows = store::QuotationRegister(connection).Find({});
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows.front().number, "B-77");
  EXPECT_EQ(rows.front().custName, "Acme");
  EXPECT_EQ(rows.front().lineCount, 0);
}

TEST_P(WorkspaceStoreTest, TheSummaryFollowsLinesWrittenByAnyProgram) {
  auto find = [&](const std::string& number) {
    for (const store::RegisterRow& row : store::QuotationRegister(connection).Find({number, "", ""}))
      if (row.number == number) return row;
    return store::RegisterRow{};
  };
  EXPECT_EQ(find("Q2024001").lineCount, 2);
  EXPECT_DOUBLE_EQ(std::stod(find("Q2024001").subtotal), 30.0);
  db.Execute(
      "insert into QuoDilate (Cust_no, quotation_number, name_number, totle) values "
      "('S003', 'B-77', '手提袋', 2.25)");
  EXPECT_EQ(find("B-77").lineCount, 1);
  EXPECT_EQ(Numbers({"手提", "", ""}), std::vector<std::string>{"B-77"});
  db.Execute("update QuoDilate set name_number = '泡棉', totle = 3 where quotation_number = 'B-77'");
  EXPECT_TRUE(Numbers({"手提", "", ""}).empty());
  EXPECT_DOUBLE_EQ(std::stod(find("B-77").subtotal), 3.0);
  db.Execute("delete from QuoDilate where quotation_number = 'Q2024001'");
  EXPECT_EQ(find("Q2024001").lineCount, 0);
  EXPECT_TRUE(Numbers({"瓦楞", "", ""}).empty());
}

TEST_P(WorkspaceStoreTest, PriceMemoryGivesThisCustomersLinesFirstThenOthersNewestFirst) {
  store::PriceMemory memory(connection);
  std::vector<store::RememberedPrice> found = memory.Recall("S002", "彩盒");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_TRUE(found[0].sameCustomer);
  EXPECT_EQ(found[0].number, "Q2024003");
  EXPECT_EQ(found[0].date, "2024-03-15");
  EXPECT_EQ(found[0].spec, "銅版紙,上光");
  EXPECT_FALSE(found[1].sameCustomer);
  EXPECT_EQ(found[1].custNo, "S001");
  EXPECT_DOUBLE_EQ(std::stod(found[1].price), 1.5);
  // A beginning finds the products that start with it; a middle finds nothing.
  EXPECT_EQ(memory.Recall("S001", "瓦").size(), 1u);
  EXPECT_TRUE(memory.Recall("S001", "盒").empty());
  EXPECT_TRUE(memory.Recall("S001", "").empty());
}

TEST_P(WorkspaceStoreTest, NextNumberFollowsThePatternAndNeverTakesAUsedOne) {
  store::QuotationNumbers numbers(connection);
  EXPECT_EQ(numbers.Next("Q{yyyy}{###}", "2024-06-01"), "Q2024004");
  EXPECT_EQ(numbers.Next("", "2025-01-09"), "Q20250001");
  EXPECT_EQ(numbers.Next("B-{##}", "2024-06-01"), "B-78");
  EXPECT_EQ(numbers.Next("{yy}{mm}-{#}", "2024-06-01"), "2406-1");
  db.Execute("insert into Quomaster (Cust_no, quotation_number) values ('S001', 'Q2024004x')");
  EXPECT_EQ(numbers.Next("Q{yyyy}{###}", "2024-06-01"), "Q2024004");
  EXPECT_TRUE(numbers.Taken("B-77"));
  EXPECT_FALSE(numbers.Taken("B-7"));
}

TEST_P(WorkspaceStoreTest, SaveWritesHeaderAndLinesTogetherAndRefusesTheSecondOfTwoSaves) {
  store::Connection other;
  db.Connect(other);
  store::QuotationRecord mine(connection), theirs(other);
  ASSERT_TRUE(mine.Load("S002", "Q2024003"));
  ASSERT_TRUE(theirs.Load("S002", "Q2024003"));
  EXPECT_EQ(mine.Loaded().lines.size(), 2u);
  store::QuotationDraft draft = mine.Loaded();
  draft.sales = "林志強";
  draft.lines.erase(draft.lines.begin());
  draft.lines.push_back({"PE袋", "0.05mm", "", "", "", "3", "2.5", "7.5"});
  mine.Save(draft);
  EXPECT_EQ(db.Joined("name_number", "QuoDilate where quotation_number = 'Q2024003'", "serial_number"),
            "彩盒,PE袋");
  EXPECT_EQ(db.Scalar("select sales from Quomaster where quotation_number = 'Q2024003'"), "林志強");
  store::QuotationDraft late = theirs.Loaded();
  late.payMode = "現金";
  EXPECT_EQ(MessageOf([&] { theirs.Save(late); }), kConflict);
  EXPECT_EQ(db.Scalar("select count(*) from Quomaster where pay_mode = '現金'"), "0");
  // Saving again after a fresh read goes through, key change included.
  ASSERT_TRUE(theirs.Load("S002", "Q2024003"));
  late = theirs.Loaded();
  late.number = "Q2024009";
  theirs.Save(late);
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate where quotation_number = 'Q2024009'"), "2");
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate where quotation_number = 'Q2024003'"), "0");
}

TEST_P(WorkspaceStoreTest, ANewQuotationNeedsAFreeNumberAndRemoveTakesItsLines) {
  store::QuotationRecord record(connection);
  record.Start();
  store::QuotationDraft draft{"S003", "Q2024001", "", "", "", "USD", "", "", "2024-05-01", "", "", {}};
  EXPECT_EQ(MessageOf([&] { record.Save(draft); }), "報價單號「Q2024001」已經有了，請換一個。");
  draft.number = "Q2024100";
  draft.lines = {{"彩盒", "", "", "", "", "1", "2", "2"}};
  record.Save(draft);
  EXPECT_TRUE(record.Stored());
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate where quotation_number = 'Q2024100'"), "1");
  record.Remove();
  EXPECT_EQ(db.Scalar("select count(*) from Quomaster where quotation_number = 'Q2024100'"), "0");
  EXPECT_EQ(db.Scalar("select count(*) from QuoDilate where quotation_number = 'Q2024100'"), "0");
}

INSTANTIATE_TEST_SUITE_P(Stores, WorkspaceStoreTest, ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return StoreName(info.param); });

}  // namespace
