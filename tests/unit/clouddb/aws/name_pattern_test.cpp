// Name patterns: the wildcard meaning, the expression syntax a linear-time engine keeps, and the
// hostile patterns that once crashed or stalled the host, refused or matched in bounded time.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "clouddb/aws/NamePattern.h"
#include "clouddb/core/WildcardPattern.h"

namespace {

using clouddb::aws::NamePattern;

std::optional<NamePattern> compiled(const std::string& pattern, CLmError& error) {
  return NamePattern::compile(pattern, wildcardPatternToRegex(pattern), error);
}

TEST(NamePattern, WildcardsAndExpressionsMatchWholeNamesByteForByte) {
  const struct {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"prod*", "prod-orders", true},    {"prod*", "Prod-orders", false},  {"prod*", "my-prod", false},
      {"*", "", true},                   {"db.1", "db.1", true},           {"db.1", "dbx1", false},
      {"a+b", "a+b", true},              {"a+b", "aab", false},            {"*-eu", "orders-eu", true},
      {"[a-c]x*", "bx-1", true},         {"[a-c]x*", "dx-1", false},       {"(orders|users)-*", "users-1", true},
      {"db-[0-9]{2}", "db-42", true},    {"db-[0-9]{2}", "db-4", false},   {"caf\xE9*", "caf\xE9-eu", true},
      {"o****************x", "oooooooooooooooooooooooooooooooooooy", false},
  };
  for (const auto& c : cases) {
    CLmError error;
    const std::optional<NamePattern> pattern = compiled(c.pattern, error);
    ASSERT_TRUE(pattern.has_value()) << c.pattern << ": " << error.message();
    EXPECT_EQ(pattern->matches(c.name), c.matches) << c.pattern << " on " << c.name;
  }
}

TEST(NamePattern, ExpressionsALinearEngineCannotRunAreRefused) {
  const std::string tooLong(clouddb::aws::kMaxNamePatternLength + 1, 'a');
  const std::string deepNesting(30000, '(');
  for (const std::string& bad : {std::string("db[1"), std::string("(a)\\1"), std::string("(?=a)b"),
                                 std::string("(?<!a)b"), tooLong, deepNesting,
                                 std::string(clouddb::aws::kMaxNamePatternLength, '(')}) {
    CLmError error;
    EXPECT_FALSE(compiled(bad, error).has_value()) << bad.substr(0, 40);
    EXPECT_EQ(error.code(), -774) << bad.substr(0, 40);
    EXPECT_NE(error.message().find("is not a valid expression"), std::string::npos) << error.message();
  }
}

// These backtracked for minutes on the old engine; the suite's time-out is the test.
TEST(NamePattern, PathologicalPatternsFinishAtOnce) {
  const std::string name = std::string(5000, 'k') + "r";
  for (const std::string& hostile : {std::string("k?*{1,}rl"), std::string("o") + std::string(16, '*') + "x",
                                     std::string("(k*)*r{2}"), std::string("(k|kk)*z")}) {
    CLmError error;
    const std::optional<NamePattern> pattern = compiled(hostile, error);
    if (pattern) {
      EXPECT_FALSE(pattern->matches(name)) << hostile;
    } else {
      EXPECT_EQ(error.code(), -774) << hostile;
    }
  }
}

}  // namespace
