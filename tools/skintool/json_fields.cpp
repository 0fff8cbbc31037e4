#include "tools/skintool/json_fields.h"

#include "tools/skintool/latin1_text.h"

const Json& JsonFields::Member(const Json& object, const char* key) {
  static const Json kAbsent;
  const auto found = object.find(key);  // end() for anything but an object
  return found == object.end() ? kAbsent : *found;
}

bool JsonFields::Has(const Json& object, const char* key) {
  return object.find(key) != object.end();
}

bool JsonFields::GetInt(const Json& value, int64_t minimum, int64_t maximum, int64_t& out) {
  // The parser keeps non-negative integers unsigned, up to 2^64 - 1. The
  // unsigned test comes first: nlohmann counts those as integers too.
  int64_t number = 0;
  if (const auto* unsignedInteger = value.get_ptr<const Json::number_unsigned_t*>()) {
    if (*unsignedInteger > static_cast<uint64_t>(INT64_MAX)) return false;
    number = static_cast<int64_t>(*unsignedInteger);
  } else if (const auto* integer = value.get_ptr<const Json::number_integer_t*>()) {
    number = *integer;
  } else {
    return false;
  }
  if (number < minimum || number > maximum) return false;
  out = number;
  return true;
}

bool JsonFields::GetLatin1(const Json& value, std::string& out) {
  const auto* text = value.get_ptr<const Json::string_t*>();
  return text != nullptr && Latin1Text::FromUtf8(*text, out);
}
