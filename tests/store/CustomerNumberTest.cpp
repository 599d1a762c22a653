#include <gtest/gtest.h>

#include "store/CustomerNumber.h"
#include "store/StoreError.h"

using store::NextCustNo;

namespace {

std::string MessageOf(std::string_view last) {
  try {
    return "no error: " + NextCustNo(last);
  } catch (const store::StoreError& error) {
    return error.what();
  }
}

TEST(NextCustNoTest, FollowsTheSerialInCharactersTwoToFour) {
  EXPECT_EQ(NextCustNo("S001"), "S002");
  EXPECT_EQ(NextCustNo("S009"), "S010");
  EXPECT_EQ(NextCustNo("S099"), "S100");
  EXPECT_EQ(NextCustNo("S123"), "S124");
  EXPECT_EQ(NextCustNo("S000"), "S001");
  EXPECT_EQ(NextCustNo("S999"), "S1000");
  EXPECT_EQ(NextCustNo("X045"), "S046");
  EXPECT_EQ(NextCustNo("S012AB"), "S013");
  EXPECT_EQ(NextCustNo("S5"), "S006");
  EXPECT_EQ(NextCustNo("S05"), "S006");
}

TEST(NextCustNoTest, ASerialThatIsNoIntegerFailsQuotingIt) {
  EXPECT_EQ(MessageOf("S0A1"), "'0A1' is not a valid integer value");
  EXPECT_EQ(MessageOf("S00A"), "'0A' is not a valid integer value");
  EXPECT_EQ(MessageOf("SA01"), "'A01' is not a valid integer value");
  EXPECT_EQ(MessageOf("S 12"), "' 12' is not a valid integer value");
  EXPECT_EQ(MessageOf("S-01"), "'-01' is not a valid integer value");
}

// The last serial that fits is valid: only its successor is refused, and said
// so. A serial past the range is quoted by its start only.
TEST(NextCustNoTest, SerialsAtTheEndOfTheRange) {
  EXPECT_EQ(NextCustNo("S2147483646"), "S2147483647");
  EXPECT_EQ(MessageOf("S2147483647"),
            "'2147483647' is the highest serial a customer number can hold: the next number does not fit");
  EXPECT_EQ(MessageOf("S20240101001"), "'20240101001' is not a valid integer value");
  std::string message = MessageOf("S" + std::string(5000, '7'));
  EXPECT_EQ(message, "'" + std::string(20, '7') + "…' is not a valid integer value");
}

TEST(NextCustNoTest, DigitsPastTheFourthCharacterBelongToTheSerial) {
  EXPECT_EQ(NextCustNo("S1000"), "S1001");
  EXPECT_EQ(NextCustNo("S1999"), "S2000");
  EXPECT_EQ(NextCustNo("S10000X"), "S10001");
}

// Numbers are read by characters, not bytes: the first one may be a Chinese
// character, and a failure quotes whole characters.
TEST(NextCustNoTest, CharactersNotBytes) {
  EXPECT_EQ(NextCustNo("客001"), "S002");
  EXPECT_EQ(NextCustNo("客1000"), "S1001");
  EXPECT_EQ(MessageOf("S客01"), "'客01' is not a valid integer value");
  EXPECT_EQ(MessageOf("S0號12"), "'0號1' is not a valid integer value");
  EXPECT_EQ(NextCustNo("客"), "S001");
}

TEST(NextCustNoTest, NoSerialAtAllStartsAtOne) {
  EXPECT_EQ(NextCustNo(""), "S001");
  EXPECT_EQ(NextCustNo("S"), "S001");
}

// Numbers whose next serial would not fit, or that SQLite's own cast would
// read a number out of, are refused (the table's allocation skips them).
TEST(NextCustNoTest, NumbersTheConversionRefuses) {
  for (const char* number : {"S 99", "S+99", "S99A", "S20240101001", "S2147483647"})
    EXPECT_NE(MessageOf(number).rfind("no error", 0), 0u) << number;
}

}  // namespace
