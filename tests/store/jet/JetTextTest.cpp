#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "store/StoreError.h"
#include "store/jet/JetText.h"
#include "store/jet/JetValues.h"

namespace {

using store::jet::AccessDateText;
using store::jet::CodePageText;
using store::jet::CurrencyText;
using store::jet::UnicodeTextToUtf8;

std::string Bytes(std::initializer_list<int> bytes) {
  std::string text;
  for (int b : bytes) text += static_cast<char>(b);
  return text;
}

TEST(JetTextTest, UnicodeTextPlainCompressedAndOutsideTheBmp) {
  struct Case {
    std::string bytes, text;
  } cases[] = {
      {Bytes({0x41, 0, 0x2D, 0x4E}), "A中"},
      {Bytes({0xFF, 0xFE, 'S', '0', '1'}), "S01"},  // compressed, one byte a character
      // compressed, then two bytes a character after the zero, then back
      {Bytes({0xFF, 0xFE, 'A', 'B', 0, 0x2D, 0x4E, 0, 'C'}), "AB中C"},
      {Bytes({0x3D, 0xD8, 0x00, 0xDE, 0x11, 0x7B}), "😀笑"},     // a surrogate pair is one character
      {Bytes({0x40, 0xD8, 0x00, 0xDC}), "𠀀"},                    // U+20000
      {Bytes({0x3D, 0xD8, 0x41, 0x00}), "\xEF\xBF\xBD" "A"},      // a lone high surrogate
      {Bytes({0x00, 0xDE}), "\xEF\xBF\xBD"},                       // a lone low surrogate
      {Bytes({0x65, 0, 0x01, 0x03}), "e\xCC\x81"},                 // a combining mark stays apart
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(UnicodeTextToUtf8(c.bytes), c.text);
}

TEST(JetTextTest, CodePageTextFollowsTheNamedEncoding) {
  const std::string big5 = Bytes({0xA4, 0xA4, 0xA4, 0xE5, 0xB3, 0xF8, 0xBB, 0xF9});
  const std::string gbk = Bytes({0xD6, 0xD0, 0xCE, 0xC4, 0xB1, 0xA8, 0xBC, 0xDB});
  CodePageText cp950("CP950"), cp936("CP936"), cp1252("CP1252");
  EXPECT_EQ(cp950.ToUtf8(big5), "中文報價");
  EXPECT_EQ(cp936.ToUtf8(gbk), "中文报价");
  EXPECT_EQ(cp936.ToUtf8(Bytes({0xA4, 0xA4, 0xA4, 0xE5})), "いゅ");  // the wrong code page reads other text
  EXPECT_EQ(cp1252.ToUtf8("caf\xE9"), "café");
  EXPECT_EQ(cp950.Replaced(), 0);
  // A lead byte without its trail byte is no character: marked and counted, the rest still read.
  EXPECT_EQ(cp950.ToUtf8(Bytes({0xA4, 0xA4, 0xA4})), "中\xEF\xBF\xBD");
  EXPECT_EQ(cp950.Replaced(), 1);
  EXPECT_EQ(store::jet::CodePageName(950), "CP950");
  EXPECT_THROW(CodePageText("NO-SUCH-ENCODING"), store::StoreError);
}

TEST(JetTextTest, AccessDatesKeepTheirTimeAcrossTheWholeRange) {
  struct Case {
    double days;
    const char* text;
  } cases[] = {
      {0, "1899-12-30T00:00:00"},
      {0.5, "1899-12-30T12:00:00"},
      {1.0 / 86400, "1899-12-30T00:00:01"},
      {-1.25, "1899-12-29T06:00:00"},  // before day zero the time still counts forward
      {-619324, "0204-05-06T00:00:00"},
      {2958465, "9999-12-31T00:00:00"},
      {2958465 + 86399.0 / 86400, "9999-12-31T23:59:59"},
      {1.9999999999, "1900-01-01T00:00:00"},  // rounds up to the next midnight
      {38125.6980555556, "2004-05-18T16:45:12"},
  };
  for (const Case& c : cases) EXPECT_EQ(AccessDateText(c.days).value_or("none"), c.text) << c.days;
  EXPECT_FALSE(AccessDateText(2958466));
  EXPECT_FALSE(AccessDateText(-700000));
  EXPECT_FALSE(AccessDateText(std::nan("")));
}

TEST(JetTextTest, CurrencyHasExactlyFourDecimals) {
  EXPECT_EQ(CurrencyText(0), "0.0000");
  EXPECT_EQ(CurrencyText(5), "0.0005");
  EXPECT_EQ(CurrencyText(-5), "-0.0005");
  EXPECT_EQ(CurrencyText(-5000000), "-500.0000");
  EXPECT_EQ(CurrencyText(1234567890123456), "123456789012.3456");
  EXPECT_EQ(CurrencyText(std::numeric_limits<std::int64_t>::min()), "-922337203685477.5808");
  EXPECT_EQ(CurrencyText(std::numeric_limits<std::int64_t>::max()), "922337203685477.5807");
}

}  // namespace
