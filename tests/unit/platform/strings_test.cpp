// FXString: splitting, joining, formatting, searching and trimming as the callers rely on them.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/FXString.h"

using Pieces = std::vector<std::string>;

TEST(Split, KeepsEmptyPiecesBetweenSeparators) {
  EXPECT_EQ(FXString::Split("project/instance", "/"), (Pieces{"project", "instance"}));
  EXPECT_EQ(FXString::Split("a//b", "/"), (Pieces{"a", "", "b"}));
  EXPECT_EQ(FXString::Split("a/", "/"), (Pieces{"a", ""}));
  EXPECT_EQ(FXString::Split("/", "/"), (Pieces{"", ""}));
  EXPECT_EQ(FXString::Split("one", "/"), (Pieces{"one"}));
  EXPECT_EQ(FXString::Split("a/b/c", "/").size(), 3u);
}

TEST(Split, MultiCharacterAndEdgeSeparators) {
  EXPECT_EQ(FXString::Split("a, b, c", ", "), (Pieces{"a", "b", "c"}));
  EXPECT_EQ(FXString::Split("", "/"), Pieces{});
  EXPECT_EQ(FXString::Split("a/b", ""), (Pieces{"a/b"}));
}

// Each piece read in place is the piece that cutting the whole text would give.
TEST(Segment, ReadsThePiecesOfTheCutTextInPlace) {
  for (const std::string text : {"", "/", "a", "a/b", "/a/b/", "//x//", "top/c1/AD-1/s1/h1/d1"}) {
    const Pieces pieces = text.empty() ? Pieces{""} : FXString::Split(text, "/");
    for (std::size_t index = 0; index < pieces.size() + 2; ++index) {
      const std::optional<std::string_view> piece = FXString::Segment(text, '/', index);
      if (index < pieces.size()) {
        ASSERT_TRUE(piece.has_value()) << text << " " << index;
        EXPECT_EQ(*piece, pieces[index]) << text << " " << index;
      } else {
        EXPECT_FALSE(piece.has_value()) << text << " " << index;
      }
    }
  }
}

TEST(Join, IsTheInverseOfSplit) {
  EXPECT_EQ(FXString::Join({"us-east-1", "eu-west-2"}, ","), "us-east-1,eu-west-2");
  EXPECT_EQ(FXString::Join({}, ","), "");
  EXPECT_EQ(FXString::Join({"only"}, ","), "only");
  for (const std::string text : {"a//b", "a/", "/", "x/y/z", ""}) {
    EXPECT_EQ(FXString::Join(FXString::Split(text, "/"), "/"), text);
  }
}

TEST(Format, FormatsPrintfStyle) {
  EXPECT_EQ(FXString::Format("Engine type [%d] not supported.", 5), "Engine type [5] not supported.");
  EXPECT_EQ(FXString::Format("[%s][%lu] %.2f", "x", 42UL, 1.5), "[x][42] 1.50");
  EXPECT_EQ(FXString::Format("%s", ""), "");
}

TEST(Format, LongTextsAreNotCut) {
  const std::string big(10000, 'k');
  const std::string text = FXString::Format("before [%s] after %d", big.c_str(), 7);
  EXPECT_EQ(text, "before [" + big + "] after 7");
}

TEST(FormatText, PutsTheTextWherePrintfWould) {
  const std::string big(100000, 'k');
  EXPECT_EQ(FXString::FormatText("Returning response XML [%s]", big),
            FXString::Format("Returning response XML [%s]", big.c_str()));
  const struct {
    const char* format;
    std::string text;
    std::string expected;
  } cases[] = {
      {"%s", "", ""},
      {"100%% of [%s]", "x%sy", "100% of [x%sy]"},  // a directive in the text is text
      {"no directive", "unused", "no directive"},
      {"[%s] then [%s]", "first", "[first] then [%s]"},  // only the first takes the text
      {"cut [%s]", std::string("ab\0cd", 5), "cut [ab]"},  // as printf, up to the first NUL
      {"odd %d stays", "x", "odd %d stays"},
      {"ends with %", "x", "ends with %"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FXString::FormatText(c.format, c.text), c.expected) << c.format;
  }
}

TEST(FindString, HonoursTheIgnoreCaseFlag) {
  EXPECT_TRUE(FXString::FindString("Throttling: Rate exceeded", "Rate exceeded", false));
  EXPECT_TRUE(FXString::FindString("Throttling: RATE EXCEEDED", "Rate exceeded", true));
  EXPECT_FALSE(FXString::FindString("Throttling: RATE EXCEEDED", "Rate exceeded", false));
  EXPECT_FALSE(FXString::FindString("Rate exceede", "Rate exceeded", true));
  EXPECT_TRUE(FXString::FindString("anything", "", true));
}

TEST(FindStringPos, GivesFirstPositionOrMinusOne) {
  EXPECT_EQ(FXString::FindStringPos("us-east-1,us-west-2", "us-west-2", true), 10);
  EXPECT_EQ(FXString::FindStringPos("us-east-1,US-WEST-2", "us-west-2", true), 10);
  EXPECT_EQ(FXString::FindStringPos("us-east-1,US-WEST-2", "us-west-2", false), -1);
  EXPECT_EQ(FXString::FindStringPos("abab", "b", false), 1);
  EXPECT_EQ(FXString::FindStringPos("", "a", true), -1);
  EXPECT_EQ(FXString::FindStringPos("", "", true), 0);
}

TEST(TrimRight, RemovesOnlyTrailingCharactersOfTheSet) {
  EXPECT_EQ(FXString::TrimRight(" cookie=abc\r\n", "\r\n"), " cookie=abc");
  EXPECT_EQ(FXString::TrimRight("value \t\r\n"), "value");
  EXPECT_EQ(FXString::TrimRight("  inner  text"), "  inner  text");
  EXPECT_EQ(FXString::TrimRight("\r\n\r\n", "\r\n"), "");
  EXPECT_EQ(FXString::TrimRight("", "\r\n"), "");
}

TEST(ToString, RendersNumbersAndFlags) {
  EXPECT_EQ(FXString::ToString(-123456), "-123456");
  EXPECT_EQ(FXString::ToString(std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");
  EXPECT_EQ(FXString::ToString(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(FXString::ToString(true), "true");
  EXPECT_EQ(FXString::ToString(false), "false");
  EXPECT_EQ(FXString::ToString(0.1), "0.1");
  EXPECT_EQ(FXString::ToString(2.5e10), "2.5e+10");
  EXPECT_EQ(FXString::ToString(1234.5), "1234.5");
}
