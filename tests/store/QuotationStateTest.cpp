// The rules of a quotation's life that need no store: which state changes a
// user may make, when an issued quotation shows as expired, and the forms in
// which issued copies are kept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "store/StoreError.h"
#include "store/life/IssuedBytes.h"
#include "store/life/QuotationSnapshot.h"
#include "store/life/QuotationState.h"
#include "store/life/SnapshotComparison.h"

using namespace store::life;
using namespace std::chrono;
using enum QuotationState;

namespace {

TEST(QuotationStateTest, OnlyTheChangesOfTheLifeAreAllowed) {
  const QuotationState stored[] = {Draft, Issued, Accepted, Declined, Cancelled};
  const std::pair<QuotationState, QuotationState> allowed[] = {
      {Issued, Accepted}, {Issued, Declined}, {Issued, Cancelled}, {Accepted, Issued}, {Declined, Issued}};
  for (QuotationState from : stored)
    for (QuotationState to : {Draft, Issued, Accepted, Declined, Cancelled, Expired}) {
      const bool expected =
          std::find(std::begin(allowed), std::end(allowed), std::pair(from, to)) != std::end(allowed);
      EXPECT_EQ(ChangeAllowed(from, to), expected) << StateName(from) << " -> " << StateName(to);
    }
}

TEST(QuotationStateTest, AnIssuedQuotationExpiresTheDayAfterItsValidUntilDay) {
  const year_month_day today = 2026y / December / 11;
  struct Case {
    QuotationState stored;
    const char* validUntil;
    QuotationState shown;
  } cases[] = {
      {Issued, "2026-12-10", Expired},
      {Issued, "2026-12-11", Issued},
      {Issued, "2026-12-12", Issued},
      {Issued, "2025-12-31", Expired},
      {Issued, "", Issued},
      {Issued, "not a date", Issued},
      {Accepted, "2026-01-01", Accepted},
      {Declined, "2026-01-01", Declined},
      {Draft, "2026-01-01", Draft},
      {Cancelled, "2026-01-01", Cancelled},
      {Issued, "2026-12-10 00:00:00", Expired},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShownState(c.stored, c.validUntil, today), c.shown)
        << StateName(c.stored) << " " << c.validUntil;
}

// The day is the user's calendar day: 17:00 UTC on 30 June is already 1 July in Taipei.
TEST(QuotationStateTest, TodayIsTheLocalCalendarDay) {
  const std::string saved = std::getenv("TZ") ? std::getenv("TZ") : "";
  const bool hadZone = std::getenv("TZ") != nullptr;
  const sys_seconds instant = sys_days(2026y / June / 30) + 17h;
  struct Case {
    const char* zone;
    year_month_day day;
    QuotationState shown;  // valid until 30 June
  } cases[] = {{"UTC0", 2026y / June / 30, Issued},
               {"CST-8", 2026y / July / 1, Expired},  // Taipei, UTC+8
               {"EST5", 2026y / June / 30, Issued}};  // New York, UTC-5: still 12:00
  for (const Case& c : cases) {
    setenv("TZ", c.zone, 1);
    tzset();
    EXPECT_EQ(LocalDate(instant), c.day) << c.zone;
    EXPECT_EQ(ShownState(Issued, "2026-06-30", LocalDate(instant)), c.shown) << c.zone;
  }
  if (hadZone)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

TEST(QuotationStateTest, IssuedBytesKeepEveryByteAndTheirDigest) {
  EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  for (std::size_t size : {0u, 1u, 2u, 3u, 4u, 255u, 256u})
    EXPECT_EQ(FromBase64(ToBase64(bytes.substr(0, size))), bytes.substr(0, size)) << size;
  EXPECT_EQ(ToBase64("%PDF"), "JVBERg==");
  EXPECT_THROW(FromBase64("JVB"), store::StoreError);
  EXPECT_THROW(FromBase64("JV=E"), store::StoreError);
}

TEST(QuotationStateTest, ASnapshotReadsBackAsItWasAndComparesLineByLine) {
  QuotationSnapshot older{
      {{"quotation_number", "Q1"}, {"pay_mode", "現金\t月結\n30天\\"}, {"sales", std::nullopt}},
      {{{"serial_number", "1"}, {"name_number", "彩盒"}, {"price", "9.1"}},
       {{"serial_number", "2"}, {"name_number", "紙箱"}, {"price", "3"}}}};
  const QuotationSnapshot back = QuotationSnapshot::Decode(older.EncodedHeader(), older.EncodedLines());
  EXPECT_EQ(back.header, older.header);
  EXPECT_EQ(back.lines, older.lines);

  QuotationSnapshot newer = older;
  newer.header[1].second = "支票";
  newer.header[2].second = "";  // null to empty is a change too
  newer.lines.erase(newer.lines.begin());
  newer.lines[0][2].second = "3.5";
  newer.lines.push_back({{"serial_number", "3"}, {"name_number", "標籤"}});
  using Kind = Difference::Kind;
  const std::vector<Difference> expected = {
      {Kind::Header, "", "pay_mode", "現金\t月結\n30天\\", "支票"},
      {Kind::Header, "", "sales", std::nullopt, ""},
      {Kind::LineDeleted, "1", "", "serial_number=1; name_number=彩盒; price=9.1", std::nullopt},
      {Kind::LineChanged, "2", "price", "3", "3.5"},
      {Kind::LineAdded, "3", "", std::nullopt, "serial_number=3; name_number=標籤"},
  };
  EXPECT_EQ(Compare(older, newer), expected);
  EXPECT_TRUE(Compare(newer, newer).empty());
}

}  // namespace
