// Walking code page 936 texts by character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/cp936.h"

namespace tessivo::text {
namespace {

std::vector<std::string> Walk(std::string_view text) {
  std::vector<std::string> chars;
  for (const std::string_view ch : Characters(text)) chars.emplace_back(ch);
  return chars;
}

TEST(Characters, DoubleByteCharactersStayWhole) {
  // 年 is C4 EA; 乗 in code page 936 is 81 5C, whose trail byte is an ASCII backslash.
  EXPECT_EQ(Walk("a年b"), (std::vector<std::string>{"a", "年", "b"}));
  EXPECT_EQ(Walk("\x81\x5C\\"), (std::vector<std::string>{"\x81\x5C", "\\"}));
  EXPECT_TRUE(Walk("").empty());
}

TEST(Characters, CutLeadByteAtTheEndIsNotVisited) {
  EXPECT_EQ(Walk("ab\xC4"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(CharAt("ab\xC4", 2), "");
  EXPECT_EQ(CharAt("ab\xC4\xEA", 2), "年");
  EXPECT_EQ(CharAt("ab", 5), "");
}

TEST(Characters, OffsetsFollowTheBytes) {
  const std::string_view text = "时1分";
  std::vector<std::size_t> offsets;
  for (const std::string_view ch : Characters(text)) offsets.push_back(static_cast<std::size_t>(ch.data() - text.data()));
  EXPECT_EQ(offsets, (std::vector<std::size_t>{0, 2, 3}));
}

}  // namespace
}  // namespace tessivo::text

namespace tessivo::text {
namespace {

TEST(Find, OnlyOnCharacterBoundaries) {
  EXPECT_EQ(Find("a\\b", "\\"), 1u);
  EXPECT_EQ(Find("\x81\x5C\\", "\\"), 2u);          // not the trail byte of 81 5C
  EXPECT_EQ(Find("ab\xC4\\", "\\"), std::string_view::npos);  // C4 takes the backslash along
  EXPECT_EQ(Find("abc", "x"), std::string_view::npos);
  EXPECT_EQ(Find("a b c", " ", 2), 3u);
}

TEST(FindLast, SkipsTrailBytes) {
  EXPECT_EQ(FindLast("Software\\Main\\Start Page", '\\'), 13u);
  EXPECT_EQ(FindLast("key\\\x81\x5C", '\\'), 3u);
  EXPECT_EQ(FindLast("\x81\x5C", '\\'), std::string_view::npos);
  EXPECT_EQ(FindLast("no backslash", '\\'), std::string_view::npos);
}

}  // namespace
}  // namespace tessivo::text
