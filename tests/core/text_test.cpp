// Tests of the UTF-8 conversion and the trimming helpers.
#include <gtest/gtest.h>

#include "core/text.h"

namespace vamplet {
namespace {

TEST(TextTest, Utf8RoundTripsEveryPlane) {
  const Text text = U"C\u00e9\u20ac\U0001F3B9";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(text).size(), 1u + 2u + 3u + 4u);
}

TEST(TextTest, MalformedUtf8BecomesReplacementPerByte) {
  struct Case {
    std::string bytes;
    Text expected;
  } cases[] = {
      {"a\x80" "b", U"a\uFFFDb"},
      {"\xC3", U"\uFFFD"},                // truncated at the end
      {"\xC0\xAF", U"\uFFFD\uFFFD"},      // overlong
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},  // surrogate
  };
  for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.bytes), c.expected);
}

TEST(TextTest, TrimRemovesOnlySpaces) {
  EXPECT_EQ(TrimSpaces(U"  a b \t "), U"a b \t");
  EXPECT_TRUE(IsBlank(U"   "));
  EXPECT_FALSE(IsBlank(U" \t"));
  EXPECT_EQ(UpperAscii(U"maj7\u00e9"), U"MAJ7\u00e9");
}

}  // namespace
}  // namespace vamplet
