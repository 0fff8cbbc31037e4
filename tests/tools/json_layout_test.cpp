// JsonLayout and Latin1Text: Latin-1 names to JSON text, compact and
// indented layouts, and the way back from parsed UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "tools/skintool/json_layout.h"
#include "tools/skintool/latin1_text.h"

namespace {

TEST(JsonLayout, EscapesLatin1Bytes) {
  struct Case {
    std::string latin1;
    std::string json;
  };
  const Case cases[] = {
      {"plain", "\"plain\""},
      {"quote\" back\\slash /", "\"quote\\\" back\\\\slash /\""},
      {"\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
      {std::string("\x00\x01\x1f", 3), "\"\\u0000\\u0001\\u001f\""},
      {"\x7f", "\"\x7f\""},
      // U+00E9 and U+00FF: Latin-1 bytes become two-byte UTF-8.
      {"caf\xe9 \xff \x80", "\"caf\xc3\xa9 \xc3\xbf \xc2\x80\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JsonLayout::Compact(Json(Latin1Text::ToUtf8(c.latin1))), c.json);
    std::string back;
    ASSERT_TRUE(Latin1Text::FromUtf8(Latin1Text::ToUtf8(c.latin1), back));
    EXPECT_EQ(back, c.latin1);
  }
  Json keyed = Json::object();
  keyed[Latin1Text::ToUtf8("n\xe4me")] = nullptr;
  EXPECT_EQ(JsonLayout::Compact(keyed), "{\"n\xc3\xa4me\":null}");
  EXPECT_EQ(JsonLayout::Indented(keyed, 2), "{\n  \"n\xc3\xa4me\": null\n}");
}

TEST(JsonLayout, Latin1RefusesWiderOrBrokenUtf8) {
  for (const char* utf8 :
       {"\xc4\x80", "\xe2\x82\xac", "\xc3", "\xc3(", "\x80", "\xf0\x9f\x98\x80"}) {
    std::string latin1 = "kept";
    EXPECT_FALSE(Latin1Text::FromUtf8(utf8, latin1)) << utf8;
    EXPECT_EQ(latin1, "kept");
  }
}

// Members in insertion order, not sorted: "b" before "a".
Json Sample() {
  Json sample = Json::object();
  sample["b"] = Json::array({-1, 4294967295u});
  sample["a"] = Json::array({Json::object({{"c", true}}), Json::array(), Json::array({nullptr})});
  sample["d"] = Json::object();
  sample["e"] = Json::array({1, 2.5});
  sample["f"] = Json::array({1, "x"});
  return sample;
}

TEST(JsonLayout, CompactAndIndentedLayouts) {
  EXPECT_EQ(JsonLayout::Compact(Sample()),
            "{\"b\":[-1,4294967295],\"a\":[{\"c\":true},[],[null]],\"d\":{},\"e\":[1,2.5],"
            "\"f\":[1,\"x\"]}");
  // Number lists stay on one line; an array holding anything else does not.
  EXPECT_EQ(JsonLayout::Indented(Sample(), 2),
            "{\n"
            "  \"b\": [-1,4294967295],\n"
            "  \"a\": [\n"
            "    {\n"
            "      \"c\": true\n"
            "    },\n"
            "    [],\n"
            "    [\n"
            "      null\n"
            "    ]\n"
            "  ],\n"
            "  \"d\": {},\n"
            "  \"e\": [1,2.5],\n"
            "  \"f\": [\n"
            "    1,\n"
            "    \"x\"\n"
            "  ]\n"
            "}");
  EXPECT_EQ(JsonLayout::Indented(Json("top"), 2), "\"top\"");
  EXPECT_EQ(JsonLayout::Indented(Json::array(), 2), "[]");
}

}  // namespace
