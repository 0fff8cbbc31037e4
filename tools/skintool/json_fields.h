// JsonFields: typed reads from a parsed Json value. Each checks the type
// before it reads, so a value of the wrong kind is a false result (or a
// null member), never one of nlohmann's exceptions.
#pragma once

#include <cstdint>
#include <string>

#include "tools/skintool/json.h"

class JsonFields {
 public:
  // The member named key, or a null value when object is no object or has
  // no such member.
  static const Json& Member(const Json& object, const char* key);
  static bool Has(const Json& object, const char* key);
  // An integer number within [minimum, maximum] into out. Numbers written
  // with a fraction or exponent, and integers beyond 64 bits, are none.
  static bool GetInt(const Json& value, int64_t minimum, int64_t maximum, int64_t& out);
  // A string whose characters are all U+0000..U+00FF, as Latin-1 bytes;
  // false for other values or characters.
  static bool GetLatin1(const Json& value, std::string& out);
};
