// JsonParser: valid documents, malformed ones with the message each gets,
// and input built to exhaust the stack or memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tools/skintool/json_fields.h"
#include "tools/skintool/json_parser.h"

namespace {

Json ParseOk(const std::string& text) {
  JsonParser parser;
  Json value;
  EXPECT_TRUE(parser.Parse(text, value)) << text << ": " << parser.Error();
  EXPECT_EQ(parser.Error(), "") << text;
  return value;
}

TEST(JsonParser, ReadsNestedDocumentInOrder) {
  const Json root = ParseOk(
      " {\"z\": [1, -2, 3.5, 1e3, true, false, null], \"a\": {\"s\": \"x\\ty\"}, \"e\": []}\n");
  ASSERT_TRUE(root.is_object());
  ASSERT_EQ(root.size(), 3u);
  auto member = root.begin();
  EXPECT_EQ(member.key(), "z");
  EXPECT_EQ((++member).key(), "a");
  EXPECT_EQ((++member).key(), "e");
  const Json& list = JsonFields::Member(root, "z");
  ASSERT_TRUE(list.is_array());
  ASSERT_EQ(list.size(), 7u);
  int64_t n = 0;
  EXPECT_TRUE(JsonFields::GetInt(list[1], -10, 10, n));
  EXPECT_EQ(n, -2);
  EXPECT_FALSE(JsonFields::GetInt(list[1], 0, 10, n));  // below the range
  EXPECT_FALSE(JsonFields::GetInt(list[0], 2, 10, n));  // unsigned, below the range
  EXPECT_TRUE(list[2].is_number());
  EXPECT_FALSE(JsonFields::GetInt(list[2], INT64_MIN, INT64_MAX, n));  // 3.5
  EXPECT_FALSE(JsonFields::GetInt(list[3], INT64_MIN, INT64_MAX, n));  // 1e3: no integer
  EXPECT_FALSE(JsonFields::GetInt(list[4], INT64_MIN, INT64_MAX, n));  // true
  EXPECT_TRUE(list[4].is_boolean() && list[4].get<bool>());
  EXPECT_TRUE(list[6].is_null());
  std::string text;
  ASSERT_TRUE(JsonFields::GetLatin1(JsonFields::Member(JsonFields::Member(root, "a"), "s"), text));
  EXPECT_EQ(text, "x\ty");
  EXPECT_TRUE(JsonFields::Member(root, "missing").is_null());
  EXPECT_FALSE(JsonFields::Has(root, "missing"));
  EXPECT_TRUE(JsonFields::Has(root, "e"));
  EXPECT_TRUE(JsonFields::Member(list, "z").is_null());  // not an object
}

TEST(JsonParser, IntegersAtThe64BitLimits) {
  int64_t n = 0;
  EXPECT_TRUE(JsonFields::GetInt(ParseOk("9223372036854775807"), INT64_MIN, INT64_MAX, n));
  EXPECT_EQ(n, INT64_MAX);
  EXPECT_TRUE(JsonFields::GetInt(ParseOk("-9223372036854775808"), INT64_MIN, INT64_MAX, n));
  EXPECT_EQ(n, INT64_MIN);
  EXPECT_TRUE(JsonFields::GetInt(ParseOk("-0"), 0, 0, n));
  EXPECT_EQ(n, 0);
  // Valid JSON, but no exact 64-bit signed integer.
  for (const char* text : {"9223372036854775808", "18446744073709551615", "-9223372036854775809",
                           "123456789012345678901234567890", "1.0"}) {
    n = 7;
    EXPECT_FALSE(JsonFields::GetInt(ParseOk(text), INT64_MIN, INT64_MAX, n)) << text;
    EXPECT_EQ(n, 7) << text;
  }
}

TEST(JsonParser, StringsDecodeToUtf8AndLatin1) {
  const Json escaped = ParseOk("\"\\u00e9\\u00FF\\u0041\\/\\\"\\\\\\ud83d\\ude00\"");
  ASSERT_TRUE(escaped.is_string());
  EXPECT_EQ(escaped.get_ref<const std::string&>(),
            "\xc3\xa9\xc3\xbf"
            "A/\"\\\xf0\x9f\x98\x80");
  std::string latin1 = "kept";
  EXPECT_FALSE(JsonFields::GetLatin1(escaped, latin1));  // U+1F600 has no Latin-1 byte
  EXPECT_EQ(latin1, "kept");

  const Json raw = ParseOk("\"caf\xc3\xa9 \\u0000 \xc2\x80\"");
  ASSERT_TRUE(JsonFields::GetLatin1(raw, latin1));
  EXPECT_EQ(latin1, std::string("caf\xe9 \0 \x80", 8));
  EXPECT_FALSE(JsonFields::GetLatin1(ParseOk("\"\\u0100\""), latin1));
  EXPECT_FALSE(JsonFields::GetLatin1(ParseOk("1"), latin1));
}

TEST(JsonParser, RefusesMalformedTextNamingTheFaultAndByte) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"", "unexpected end of text at byte 0"},
      {"   ", "unexpected end of text at byte 3"},
      {"{", "unexpected end of text at byte 1"},
      {"[1,]", "invalid value at byte 3"},
      {"[1 2]", "expected ',' or ']' at byte 3"},
      {"[\"containers\":1]", "expected ',' or ']' at byte 13"},
      {"{\"a\" 1}", "expected ':' at byte 5"},
      {"{\"a\":1 \"b\":2}", "expected ',' or '}' at byte 9"},
      {"{\"a\":1,}", "expected a member name at byte 7"},
      {"{1:1}", "expected a member name at byte 1"},
      {"{a:1}", "invalid literal at byte 1"},
      {"\"open", "unterminated string at byte 5"},
      {"\"tab\there\"", "control character in string at byte 4"},
      {"\"\\x\"", "invalid escape at byte 2"},
      {"\"\\u12\"", "invalid \\u escape at byte 5"},
      {"01", "text after the value at byte 1"},
      {"[1] 2", "text after the value at byte 4"},
      {"-", "invalid number at byte 1"},
      {"1.", "invalid number at byte 2"},
      {"1e", "invalid number at byte 2"},
      {".5", "invalid literal at byte 0"},
      {"+1", "invalid literal at byte 0"},
      {"tru", "invalid literal at byte 3"},
      {"nul", "invalid literal at byte 3"},
      {"1e999", "number out of range at byte 4"},
      {"{\"a\":1,\"a\":2}", "duplicate member name \"a\""},
      {"[{\"b\":{}},{\"b\":1,\"c\":{\"b\":2,\"b\":3}}]", "duplicate member name \"b\""},
      {"\"\\udc00\"", "lone surrogate at byte 6"},          // lone low surrogate
      {"\"\\ud800x\"", "lone surrogate at byte 7"},         // high surrogate without its pair
      {"\"\\ud800\\u0041\"", "lone surrogate at byte 12"},  // followed by no low one
      {"\"\xff\"", "invalid UTF-8 at byte 1"},
      {"\"\xc0\xaf\"", "invalid UTF-8 at byte 1"},          // overlong
      {"\"\xed\xa0\x80\"", "invalid UTF-8 at byte 2"},      // encoded surrogate
      {"\"\xe2\x82\"", "invalid UTF-8 at byte 3"},          // cut short
      {"\"\xf4\x90\x80\x80\"", "invalid UTF-8 at byte 2"},  // above U+10FFFF
      {"\xef\xbb[1]", "invalid byte order mark at byte 2"},
  };
  for (const Case& c : cases) {
    JsonParser parser;
    Json value = Json::array({1});
    EXPECT_FALSE(parser.Parse(c.text, value)) << c.text;
    EXPECT_TRUE(value.is_null()) << c.text;
    EXPECT_EQ(parser.Error(), c.error) << c.text;
  }
  // The same member name in different objects is no duplicate; a byte
  // order mark is allowed before the value.
  EXPECT_EQ(ParseOk("[{\"a\":1},{\"a\":{\"a\":2}}]").dump(), "[{\"a\":1},{\"a\":{\"a\":2}}]");
  EXPECT_EQ(ParseOk("\xef\xbb\xbf[1]").dump(), "[1]");
}

TEST(JsonParser, HostileNestingAndSizeFailCleanly) {
  const std::string atLimit =
      std::string(JsonParser::kMaxDepth, '[') + std::string(JsonParser::kMaxDepth, ']');
  ParseOk(atLimit);
  JsonParser parser;
  Json value;
  const std::string tooDeep =
      std::string(JsonParser::kMaxDepth + 1, '[') + std::string(JsonParser::kMaxDepth + 1, ']');
  EXPECT_FALSE(parser.Parse(tooDeep, value));
  EXPECT_EQ(parser.Error(), "nesting too deep");
  // Far deeper than any stack would survive recursively, objects and arrays mixed.
  std::string bomb;
  for (int i = 0; i < 200000; ++i) bomb += (i % 2 == 0) ? "[" : "{\"k\":";
  EXPECT_FALSE(parser.Parse(bomb, value));
  EXPECT_EQ(parser.Error(), "nesting too deep");
  EXPECT_TRUE(value.is_null());

  // The value limit counts every value, nested ones and the outer array.
  JsonParser small(4);
  EXPECT_TRUE(small.Parse("[0,[1]]", value)) << small.Error();
  EXPECT_EQ(value.dump(), "[0,[1]]");
  EXPECT_FALSE(small.Parse("[0,[1],2]", value));
  EXPECT_EQ(small.Error(), "too many values");
  EXPECT_FALSE(small.Parse("{\"a\":[],\"b\":{},\"c\":0,\"d\":null}", value));
  EXPECT_EQ(small.Error(), "too many values");
  // A failure is forgotten by the next success.
  EXPECT_TRUE(small.Parse("{}", value));
  EXPECT_EQ(small.Error(), "");
}

}  // namespace
