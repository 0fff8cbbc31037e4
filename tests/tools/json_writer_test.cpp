// JsonWriter: Latin-1 names to JSON text, compact and indented layouts.
#include <gtest/gtest.h>

#include <string>

#include "tools/skintool/json_writer.h"

namespace {

TEST(JsonWriter, EscapesLatin1Bytes) {
  struct Case {
    std::string latin1;
    std::string json;
  };
  const Case cases[] = {
      {"plain", "\"plain\""},
      {"quote\" back\\slash", "\"quote\\\" back\\\\slash\""},
      {"\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
      {std::string("\x00\x01\x1f", 3), "\"\\u0000\\u0001\\u001f\""},
      {"\x7f", "\"\x7f\""},
      // U+00E9 and U+00FF: Latin-1 bytes become two-byte UTF-8.
      {"caf\xe9 \xff \x80", "\"caf\xc3\xa9 \xc3\xbf \xc2\x80\""},
  };
  for (const Case& c : cases) {
    JsonWriter writer;
    writer.String(c.latin1);
    EXPECT_EQ(writer.Text(), c.json);
  }
  JsonWriter keyed;
  keyed.BeginObject();
  keyed.Key("n\xe4me");
  keyed.Null();
  keyed.EndObject();
  EXPECT_EQ(keyed.Text(), "{\"n\xc3\xa4me\":null}");
}

void WriteSample(JsonWriter& writer) {
  writer.BeginObject();
  writer.Key("a");
  writer.BeginArray(true);
  writer.Int(-1);
  writer.UInt(4294967295u);
  writer.EndArray();
  writer.Key("b");
  writer.BeginArray();
  writer.BeginObject();
  writer.Key("c");
  writer.Bool(true);
  writer.EndObject();
  writer.BeginArray();
  writer.EndArray();
  writer.EndArray();
  writer.Key("d");
  writer.BeginObject();
  writer.EndObject();
  writer.EndObject();
}

TEST(JsonWriter, CompactAndIndentedLayouts) {
  JsonWriter compact;
  WriteSample(compact);
  EXPECT_EQ(compact.Text(), "{\"a\":[-1,4294967295],\"b\":[{\"c\":true},[]],\"d\":{}}");

  JsonWriter indented(2);
  WriteSample(indented);
  EXPECT_EQ(indented.Text(),
            "{\n"
            "  \"a\": [-1,4294967295],\n"
            "  \"b\": [\n"
            "    {\n"
            "      \"c\": true\n"
            "    },\n"
            "    []\n"
            "  ],\n"
            "  \"d\": {}\n"
            "}");
}

}  // namespace
