// KwJson: top-level members of a JSON object as texts; everything else refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/KwJson.h"

TEST(KwJsonUnserialize, ReadsStringMembers) {
  KwJson::Map members;
  ASSERT_TRUE(KwJson::Unserialize(R"({"key": "ssh-rsa AAAA user@host", "name": "a\"b\u00e9\n"})", members));
  EXPECT_EQ(KwJson::GetStringValue(members, "key"), "ssh-rsa AAAA user@host");
  EXPECT_EQ(KwJson::GetStringValue(members, "name"), "a\"b\xc3\xa9\n");
  EXPECT_EQ(members.size(), 2u);
}

TEST(KwJsonUnserialize, RendersOtherMembersAsCompactJson) {
  KwJson::Map members;
  ASSERT_TRUE(KwJson::Unserialize(
      R"({"n": 42, "f": -1.5, "t": true, "z": null, "list": [1, "two"], "obj": {"a": {"b": 1}}})", members));
  EXPECT_EQ(members["n"], "42");
  EXPECT_EQ(members["f"], "-1.5");
  EXPECT_EQ(members["t"], "true");
  EXPECT_EQ(members["z"], "null");
  EXPECT_EQ(members["list"], R"([1,"two"])");
  EXPECT_EQ(members["obj"], R"({"a":{"b":1}})");
}

TEST(KwJsonUnserialize, LaterDuplicateWinsAndEmptyObjectIsFine) {
  KwJson::Map members;
  ASSERT_TRUE(KwJson::Unserialize(R"({"key": "first", "key": "second"})", members));
  EXPECT_EQ(KwJson::GetStringValue(members, "key"), "second");
  ASSERT_TRUE(KwJson::Unserialize(" {} ", members));
  EXPECT_TRUE(members.empty());
}

TEST(KwJsonUnserialize, RefusesMalformedAndNonObjectText) {
  const std::vector<std::string> refused = {
      "",         "   ",          "{",           R"({"key": })", R"({"key": "v",})", R"({key: "v"})",
      "[1, 2]",   R"("a string")", "42",          "null",         R"({"a": 1} {"b": 2})", R"({"a": 1} x)",
      "{\"a\": \"\xff\"}",  // not UTF-8
      // Nested deeper than a member's text may be written out; the deepest would end the process.
      R"({"a": )" + std::string(65, '[') + std::string(65, ']') + "}",
      R"({"a": )" + std::string(200000, '[') + std::string(200000, ']') + "}",
  };
  for (const std::string& text : refused) {
    KwJson::Map members = {{"stale", "value"}};
    EXPECT_FALSE(KwJson::Unserialize(text, members)) << text;
    EXPECT_TRUE(members.empty()) << text;
  }
}

TEST(KwJsonUnserialize, NestingUpToTheBoundIsRead) {
  KwJson::Map members;
  ASSERT_TRUE(KwJson::Unserialize(R"({"a": )" + std::string(63, '[') + std::string(63, ']') + "}", members));
  EXPECT_EQ(members["a"], std::string(63, '[') + std::string(63, ']'));
}

TEST(KwJsonGetStringValue, AbsentMemberIsEmpty) {
  KwJson::Map members;
  ASSERT_TRUE(KwJson::Unserialize(R"({"other": "x"})", members));
  EXPECT_EQ(KwJson::GetStringValue(members, "key"), "");
  EXPECT_EQ(KwJson::GetStringValue({}, "key"), "");
}
