#include "store/pg/LiteralLike.h"

#include <gtest/gtest.h>

using store::pg::WithLiteralBackslashes;

TEST(LiteralLikeTest, EveryPatternWithoutAnEscapeOfItsOwnGetsNone) {
  const struct {
    const char* sql;
    const char* expected;
  } cases[] = {
      {" where cust_no like '%' || :T || '%'", " where cust_no like '%' || :T || '%' escape ''"},
      {" where cust_no LIKE '%' || :T || '%' and quotation_number like '%' || :Q || '%' order by Cust_no",
       " where cust_no LIKE '%' || :T || '%' escape '' and quotation_number like '%' || :Q || '%' escape '' "
       "order by Cust_no"},
      {" where (incaddr not like ('%' || $1) || '%')",
       " where (incaddr not like ('%' || $1) || '%' escape '')"},
      {" where a ilike :p::text || 'x'", " where a ilike :p::text || 'x' escape ''"},
      {" where a like 'x!%' escape '!'", " where a like 'x!%' escape '!'"},
      {" where a like '%\\%'", " where a like '%\\%' escape ''"},
      {" where a = 'like' and \"like\" = :like and unlike = 1 -- like\n",
       " where a = 'like' and \"like\" = :like and unlike = 1 -- like\n"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(WithLiteralBackslashes(c.sql), c.expected) << c.sql;
}
