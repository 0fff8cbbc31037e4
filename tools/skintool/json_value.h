// JsonValue: one parsed JSON value (see JsonReader). Objects keep their
// members in text order. Numbers keep an exact 64-bit integer when the text
// is one; other numbers are held only as "a number that is not an integer".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class JsonValue {
 public:
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };

  Type type = Type::kNull;
  bool boolean = false;
  bool isInteger = false;  // numbers: integer written without fraction or exponent, in range
  int64_t integer = 0;
  std::string text;  // strings: UTF-8
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;

  bool IsNull() const { return type == Type::kNull; }
  bool IsString() const { return type == Type::kString; }
  bool IsArray() const { return type == Type::kArray; }
  bool IsObject() const { return type == Type::kObject; }

  // The member named key of an object, or null.
  const JsonValue* Find(const std::string& key) const;
  // An integer number within [minimum, maximum] into out; false otherwise.
  bool GetInt(int64_t minimum, int64_t maximum, int64_t& out) const;
  // A string whose characters are all U+0000..U+00FF, as Latin-1 bytes;
  // false for other values or characters.
  bool GetLatin1(std::string& out) const;
};
