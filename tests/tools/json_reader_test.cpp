// JsonReader: valid documents, malformed ones, and input built to exhaust
// the stack or memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tools/skintool/json_reader.h"
#include "tools/skintool/json_value.h"

namespace {

JsonValue ParseOk(const std::string& text) {
  JsonReader reader;
  JsonValue value;
  EXPECT_TRUE(reader.Parse(text, value)) << text << ": " << reader.Error();
  return value;
}

TEST(JsonReader, ReadsNestedDocumentInOrder) {
  const JsonValue root = ParseOk(
      " {\"z\": [1, -2, 3.5, 1e3, true, false, null], \"a\": {\"s\": \"x\\ty\"}, \"e\": []}\n");
  ASSERT_TRUE(root.IsObject());
  ASSERT_EQ(root.members.size(), 3u);
  EXPECT_EQ(root.members[0].first, "z");
  EXPECT_EQ(root.members[1].first, "a");
  const JsonValue& list = *root.Find("z");
  ASSERT_EQ(list.items.size(), 7u);
  int64_t n = 0;
  EXPECT_TRUE(list.items[1].GetInt(-10, 10, n));
  EXPECT_EQ(n, -2);
  EXPECT_FALSE(list.items[1].GetInt(0, 10, n));  // below the range
  EXPECT_EQ(list.items[2].type, JsonValue::Type::kNumber);
  EXPECT_FALSE(list.items[2].isInteger);
  EXPECT_FALSE(list.items[3].isInteger);
  EXPECT_TRUE(list.items[4].boolean);
  EXPECT_TRUE(list.items[6].IsNull());
  EXPECT_EQ(root.Find("a")->Find("s")->text, "x\ty");
  EXPECT_EQ(root.Find("missing"), nullptr);
}

TEST(JsonReader, IntegersAtThe64BitLimits) {
  int64_t n = 0;
  EXPECT_TRUE(ParseOk("9223372036854775807").GetInt(INT64_MIN, INT64_MAX, n));
  EXPECT_EQ(n, INT64_MAX);
  EXPECT_TRUE(ParseOk("-9223372036854775808").GetInt(INT64_MIN, INT64_MAX, n));
  EXPECT_EQ(n, INT64_MIN);
  // Valid JSON, but no exact 64-bit integer.
  EXPECT_FALSE(ParseOk("9223372036854775808").isInteger);
  EXPECT_FALSE(ParseOk("-9223372036854775809").isInteger);
  EXPECT_FALSE(ParseOk("123456789012345678901234567890").isInteger);
}

TEST(JsonReader, StringsDecodeToUtf8AndLatin1) {
  const JsonValue escaped = ParseOk("\"\\u00e9\\u00FF\\u0041\\/\\\"\\\\\\ud83d\\ude00\"");
  EXPECT_EQ(escaped.text,
            "\xc3\xa9\xc3\xbf"
            "A/\"\\\xf0\x9f\x98\x80");
  std::string latin1;
  EXPECT_FALSE(escaped.GetLatin1(latin1));  // U+1F600 has no Latin-1 byte

  const JsonValue raw = ParseOk("\"caf\xc3\xa9 \\u0000 \xc2\x80\"");
  ASSERT_TRUE(raw.GetLatin1(latin1));
  EXPECT_EQ(latin1, std::string("caf\xe9 \0 \x80", 8));
  EXPECT_FALSE(ParseOk("\"\\u0100\"").GetLatin1(latin1));
  EXPECT_FALSE(ParseOk("1").GetLatin1(latin1));
}

TEST(JsonReader, RefusesMalformedText) {
  const char* const cases[] = {
      "",
      "   ",
      "{",
      "[1,]",
      "[1 2]",
      "{\"a\" 1}",
      "{\"a\":1,}",
      "{a:1}",
      "\"open",
      "\"tab\there\"",
      "\"\\x\"",
      "\"\\u12\"",
      "01",
      "-",
      "1.",
      "1e",
      ".5",
      "+1",
      "tru",
      "nul",
      "[1] 2",
      "{\"a\":1,\"a\":2}",
      "\"\\udc00\"",           // lone low surrogate
      "\"\\ud800x\"",          // high surrogate without its pair
      "\"\\ud800\\u0041\"",    // high surrogate followed by no low one
      "\"\xff\"",              // not UTF-8
      "\"\xc0\xaf\"",          // overlong
      "\"\xed\xa0\x80\"",      // encoded surrogate
      "\"\xe2\x82\"",          // cut short
      "\"\xf4\x90\x80\x80\"",  // above U+10FFFF
  };
  for (const char* text : cases) {
    JsonReader reader;
    JsonValue value;
    value.type = JsonValue::Type::kArray;
    EXPECT_FALSE(reader.Parse(text, value)) << text;
    EXPECT_TRUE(value.IsNull()) << text;
    EXPECT_STRNE(reader.Error(), "") << text;
  }
}

TEST(JsonReader, HostileNestingAndSizeFailCleanly) {
  const std::string atLimit =
      std::string(JsonReader::kMaxDepth, '[') + std::string(JsonReader::kMaxDepth, ']');
  ParseOk(atLimit);
  JsonReader reader;
  JsonValue value;
  const std::string tooDeep =
      std::string(JsonReader::kMaxDepth + 1, '[') + std::string(JsonReader::kMaxDepth + 1, ']');
  EXPECT_FALSE(reader.Parse(tooDeep, value));
  EXPECT_STREQ(reader.Error(), "nesting too deep");
  // Far deeper than any stack would survive recursively, objects and arrays mixed.
  std::string bomb;
  for (int i = 0; i < 200000; ++i) bomb += (i % 2 == 0) ? "[" : "{\"k\":";
  EXPECT_FALSE(reader.Parse(bomb, value));
  EXPECT_STREQ(reader.Error(), "nesting too deep");

  // The value limit counts every value, nested ones and the outer array.
  JsonReader small(4);
  EXPECT_TRUE(small.Parse("[0,[1]]", value)) << small.Error();
  EXPECT_FALSE(small.Parse("[0,[1],2]", value));
  EXPECT_STREQ(small.Error(), "too many values");
}

}  // namespace
