// JsonParser: JSON text (RFC 8259) into a Json value, through nlohmann's
// parser with the limits text from outside needs: nesting depth and the
// number of values are bounded, and a member name given twice is refused
// (nlohmann alone would keep the last). Strings must be well-formed UTF-8;
// a UTF-8 byte order mark at the start is skipped. A failure is a false
// result and a one-line message, never an exception.
#pragma once

#include <cstddef>
#include <string>

#include "tools/skintool/json.h"

class JsonParser {
 public:
  static constexpr int kMaxDepth = 64;
  static constexpr size_t kMaxValues = 2000000;

  explicit JsonParser(size_t maxValues = kMaxValues) : maxValues_(maxValues) {}

  // Parses the whole text (white space around the value allowed). On
  // failure out is left null and Error() tells what went wrong.
  bool Parse(const std::string& text, Json& out);

  // What made the last Parse fail, empty after a success. Faults in the
  // text itself end in " at byte N", N counted from 0 and naming the byte at
  // which the text stopped being valid, e.g. "expected ',' or ']' at byte 13".
  const std::string& Error() const { return error_; }

 private:
  class Builder;

  size_t maxValues_;
  std::string error_;
};
