// JsonReader: parses JSON text (RFC 8259) into a JsonValue. The text is
// treated as hostile: nesting depth and the number of values are limited,
// the input must be valid UTF-8, duplicate object keys are refused, and a
// failure is a false result with a position and a fixed message, never an
// exception.
#pragma once

#include <cstddef>
#include <string>

#include "tools/skintool/json_value.h"

class JsonReader {
 public:
  static constexpr int kMaxDepth = 64;
  static constexpr size_t kMaxValues = 2000000;

  explicit JsonReader(size_t maxValues = kMaxValues) : maxValues_(maxValues) {}

  // Parses the whole text (white space around the value allowed). On
  // failure out is left null and Error/ErrorOffset tell what and where.
  bool Parse(const std::string& text, JsonValue& out);

  const char* Error() const { return error_; }
  size_t ErrorOffset() const { return errorOffset_; }

 private:
  bool ParseValue(JsonValue& out, int depth);
  bool ParseObject(JsonValue& out, int depth);
  bool ParseArray(JsonValue& out, int depth);
  bool ParseString(std::string& out);
  bool ParseEscape(std::string& out);
  bool ParseHex4(unsigned& out);
  bool ParseNumber(JsonValue& out);
  bool ParseLiteral(const char* word, JsonValue& out);
  bool CopyUtf8Sequence(std::string& out);
  void SkipWhiteSpace();
  bool Fail(const char* message);
  bool AtEnd() const { return pos_ >= text_->size(); }
  unsigned char Peek() const { return static_cast<unsigned char>((*text_)[pos_]); }

  const std::string* text_ = nullptr;
  size_t pos_ = 0;
  size_t maxValues_;
  size_t values_ = 0;
  const char* error_ = "";
  size_t errorOffset_ = 0;
};
