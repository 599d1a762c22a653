#include <gtest/gtest.h>

#include "ui/app/LocaleDateFormat.h"

using ui::LocaleDateFormat;

TEST(LocaleDateFormatTest, TwoDigitYearsAreWidened) {
  EXPECT_EQ(LocaleDateFormat::WidenYear("M/d/yy"), "M/d/yyyy");
  EXPECT_EQ(LocaleDateFormat::WidenYear("dd.MM.yy"), "dd.MM.yyyy");
  EXPECT_EQ(LocaleDateFormat::WidenYear("yyyy/M/d"), "yyyy/M/d");
  EXPECT_EQ(LocaleDateFormat(QLocale(QLocale::English, QLocale::UnitedStates)).DisplayFormat(), "M/d/yyyy");
}

TEST(LocaleDateFormatTest, ShowsStoredDatesInTheUsersFormat) {
  const LocaleDateFormat taiwan(QLocale(QLocale::Chinese, QLocale::Taiwan));
  EXPECT_EQ(taiwan.ToDisplay("2024-01-05"), "2024/1/5");
  const LocaleDateFormat us(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(us.ToDisplay("1999-12-31"), "12/31/1999");
  EXPECT_EQ(us.ToDisplay("not a date"), "not a date");  // shown as stored
}

TEST(LocaleDateFormatTest, ReadsTypedDatesLeniently) {
  const LocaleDateFormat german(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(german.ToIso("05.01.2024"), "2024-01-05");
  EXPECT_EQ(german.ToIso("5.1.2024"), "2024-01-05");
  EXPECT_EQ(german.ToIso(" 2024-01-05 "), "2024-01-05");
  EXPECT_EQ(german.ToIso("2024/1/5"), "2024-01-05");
  const LocaleDateFormat taiwan(QLocale(QLocale::Chinese, QLocale::Taiwan));
  EXPECT_EQ(taiwan.ToIso("2024/12/31"), "2024-12-31");
  EXPECT_EQ(taiwan.ToIso(taiwan.ToDisplay("2008-02-29")), "2008-02-29");
}

TEST(LocaleDateFormatTest, RefusesWhatIsNoDate) {
  const LocaleDateFormat taiwan(QLocale(QLocale::Chinese, QLocale::Taiwan));
  for (const char* text : {"", "abc", "2024/13/1", "2023/2/29", "24/1/5"})
    EXPECT_FALSE(taiwan.ToIso(text).has_value()) << text;
}

// The user's own short format may have a two-digit year: typed that way it is
// read in the century window around today (1976..2075 in 2026).
TEST(LocaleDateFormatTest, ReadsTwoDigitYearsOfTheUsersFormat) {
  const LocaleDateFormat us(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(us.ToIso("1/5/24"), "2024-01-05");
  EXPECT_EQ(us.ToIso("12/31/99"), "1999-12-31");
  EXPECT_EQ(us.ToIso(us.ToDisplay("2024-01-05")), "2024-01-05");
  EXPECT_FALSE(us.ToIso("2/30/24").has_value());
  const LocaleDateFormat german(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(german.ToIso("05.01.24"), "2024-01-05");
  EXPECT_EQ(german.ToIso("5.1.24"), "2024-01-05");
  EXPECT_EQ(german.ToIso("5.1.0024"), "0024-01-05");  // a year typed in full is kept
}

// A C or POSIX locale has an English short format ("9 Sep 2024"); dates then
// follow Traditional Chinese, while any real locale keeps its own.
TEST(LocaleDateFormatTest, CLocaleShowsTraditionalChineseDates) {
  const LocaleDateFormat c(LocaleDateFormat::ForDates(QLocale::c()));
  EXPECT_EQ(c.DisplayFormat(), "yyyy/M/d");
  EXPECT_EQ(c.ToDisplay("2024-09-09"), "2024/9/9");
  EXPECT_EQ(c.ToIso("2024/9/9"), "2024-09-09");
  EXPECT_EQ(c.ToIso("2024/09/09"), "2024-09-09");
  const LocaleDateFormat german(LocaleDateFormat::ForDates(QLocale(QLocale::German, QLocale::Germany)));
  EXPECT_EQ(german.ToDisplay("2024-09-09"), "09.09.2024");
}
