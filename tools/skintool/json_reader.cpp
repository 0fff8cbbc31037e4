#include "tools/skintool/json_reader.h"

#include <cstring>

bool JsonReader::Parse(const std::string& text, JsonValue& out) {
  text_ = &text;
  pos_ = 0;
  values_ = 0;
  error_ = "";
  errorOffset_ = 0;
  JsonValue parsed;
  SkipWhiteSpace();
  if (!ParseValue(parsed, 0)) {
    out = JsonValue();
    return false;
  }
  SkipWhiteSpace();
  if (!AtEnd()) {
    out = JsonValue();
    return Fail("text after the value");
  }
  out = std::move(parsed);
  return true;
}

bool JsonReader::Fail(const char* message) {
  error_ = message;
  errorOffset_ = pos_;
  return false;
}

void JsonReader::SkipWhiteSpace() {
  while (!AtEnd()) {
    const unsigned char c = Peek();
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return;
    ++pos_;
  }
}

bool JsonReader::ParseValue(JsonValue& out, int depth) {
  if (++values_ > maxValues_) return Fail("too many values");
  if (AtEnd()) return Fail("unexpected end of text");
  switch (Peek()) {
    case '{':
      return ParseObject(out, depth + 1);
    case '[':
      return ParseArray(out, depth + 1);
    case '"':
      out.type = JsonValue::Type::kString;
      return ParseString(out.text);
    case 't':
      return ParseLiteral("true", out);
    case 'f':
      return ParseLiteral("false", out);
    case 'n':
      return ParseLiteral("null", out);
    default:
      return ParseNumber(out);
  }
}

bool JsonReader::ParseObject(JsonValue& out, int depth) {
  if (depth > kMaxDepth) return Fail("nesting too deep");
  out.type = JsonValue::Type::kObject;
  ++pos_;
  SkipWhiteSpace();
  if (!AtEnd() && Peek() == '}') {
    ++pos_;
    return true;
  }
  for (;;) {
    SkipWhiteSpace();
    if (AtEnd() || Peek() != '"') return Fail("expected a member name");
    std::string key;
    if (!ParseString(key)) return false;
    if (out.Find(key) != nullptr) return Fail("duplicate member name");
    SkipWhiteSpace();
    if (AtEnd() || Peek() != ':') return Fail("expected ':'");
    ++pos_;
    SkipWhiteSpace();
    out.members.emplace_back(std::move(key), JsonValue());
    if (!ParseValue(out.members.back().second, depth)) return false;
    SkipWhiteSpace();
    if (AtEnd()) return Fail("unexpected end of text");
    const unsigned char c = Peek();
    if (c != '}' && c != ',') return Fail("expected ',' or '}'");
    ++pos_;
    if (c == '}') return true;
  }
}

bool JsonReader::ParseArray(JsonValue& out, int depth) {
  if (depth > kMaxDepth) return Fail("nesting too deep");
  out.type = JsonValue::Type::kArray;
  ++pos_;
  SkipWhiteSpace();
  if (!AtEnd() && Peek() == ']') {
    ++pos_;
    return true;
  }
  for (;;) {
    SkipWhiteSpace();
    out.items.emplace_back();
    if (!ParseValue(out.items.back(), depth)) return false;
    SkipWhiteSpace();
    if (AtEnd()) return Fail("unexpected end of text");
    const unsigned char c = Peek();
    if (c != ']' && c != ',') return Fail("expected ',' or ']'");
    ++pos_;
    if (c == ']') return true;
  }
}

bool JsonReader::ParseLiteral(const char* word, JsonValue& out) {
  const size_t length = std::strlen(word);
  if (text_->compare(pos_, length, word) != 0) return Fail("invalid literal");
  pos_ += length;
  if (word[0] == 'n') {
    out.type = JsonValue::Type::kNull;
  } else {
    out.type = JsonValue::Type::kBool;
    out.boolean = word[0] == 't';
  }
  return true;
}

// Integers are accumulated exactly while they fit; fractions, exponents and
// integers beyond 64 bits are valid JSON but no integer.
bool JsonReader::ParseNumber(JsonValue& out) {
  out.type = JsonValue::Type::kNumber;
  const bool negative = !AtEnd() && Peek() == '-';
  if (negative) ++pos_;
  if (AtEnd() || Peek() < '0' || Peek() > '9') return Fail("invalid value");
  // Magnitude limit: 2^63 for negatives, 2^63 - 1 otherwise.
  const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  uint64_t magnitude = 0;
  bool fits = true;
  if (Peek() == '0') {
    ++pos_;
    if (!AtEnd() && Peek() >= '0' && Peek() <= '9') return Fail("leading zero");
  } else {
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') {
      const unsigned digit = Peek() - '0';
      if (magnitude > (limit - digit) / 10) fits = false;
      if (fits) magnitude = magnitude * 10 + digit;
      ++pos_;
    }
  }
  bool integral = true;
  if (!AtEnd() && Peek() == '.') {
    integral = false;
    ++pos_;
    if (AtEnd() || Peek() < '0' || Peek() > '9') return Fail("invalid number");
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') ++pos_;
  }
  if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
    integral = false;
    ++pos_;
    if (!AtEnd() && (Peek() == '+' || Peek() == '-')) ++pos_;
    if (AtEnd() || Peek() < '0' || Peek() > '9') return Fail("invalid number");
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') ++pos_;
  }
  out.isInteger = integral && fits;
  if (out.isInteger) {
    out.integer = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  }
  return true;
}

bool JsonReader::ParseString(std::string& out) {
  ++pos_;  // opening quote
  for (;;) {
    if (AtEnd()) return Fail("unterminated string");
    const unsigned char c = Peek();
    if (c == '"') {
      ++pos_;
      return true;
    }
    if (c < 0x20) return Fail("control character in string");
    if (c == '\\') {
      ++pos_;
      if (!ParseEscape(out)) return false;
    } else if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++pos_;
    } else if (!CopyUtf8Sequence(out)) {
      return false;
    }
  }
}

namespace {

void AppendUtf8(unsigned codePoint, std::string& out) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

bool IsHighSurrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(unsigned unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

bool JsonReader::ParseEscape(std::string& out) {
  if (AtEnd()) return Fail("unterminated string");
  const unsigned char c = Peek();
  ++pos_;
  switch (c) {
    case '"':
      out.push_back('"');
      return true;
    case '\\':
      out.push_back('\\');
      return true;
    case '/':
      out.push_back('/');
      return true;
    case 'b':
      out.push_back('\b');
      return true;
    case 'f':
      out.push_back('\f');
      return true;
    case 'n':
      out.push_back('\n');
      return true;
    case 'r':
      out.push_back('\r');
      return true;
    case 't':
      out.push_back('\t');
      return true;
    case 'u':
      break;
    default:
      return Fail("invalid escape");
  }
  unsigned unit = 0;
  if (!ParseHex4(unit)) return false;
  if (IsLowSurrogate(unit)) return Fail("lone surrogate");
  if (IsHighSurrogate(unit)) {
    unsigned low = 0;
    if (text_->compare(pos_, 2, "\\u") != 0) return Fail("lone surrogate");
    pos_ += 2;
    if (!ParseHex4(low)) return false;
    if (!IsLowSurrogate(low)) return Fail("lone surrogate");
    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
  }
  AppendUtf8(unit, out);
  return true;
}

bool JsonReader::ParseHex4(unsigned& out) {
  out = 0;
  for (int i = 0; i < 4; ++i) {
    if (AtEnd()) return Fail("invalid \\u escape");
    const unsigned char c = Peek();
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return Fail("invalid \\u escape");
    }
    out = out * 16 + digit;
    ++pos_;
  }
  return true;
}

// Copies one multi-byte UTF-8 sequence after checking it: no overlong forms,
// no surrogates, nothing above U+10FFFF.
bool JsonReader::CopyUtf8Sequence(std::string& out) {
  const unsigned char lead = Peek();
  int length = 0;
  unsigned codePoint = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07;
  } else {
    return Fail("invalid UTF-8");
  }
  if (text_->size() - pos_ < static_cast<size_t>(length)) return Fail("invalid UTF-8");
  for (int i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>((*text_)[pos_ + i]);
    if ((next & 0xC0) != 0x80) return Fail("invalid UTF-8");
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  const unsigned minimum = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return Fail("invalid UTF-8");
  }
  out.append(*text_, pos_, static_cast<size_t>(length));
  pos_ += static_cast<size_t>(length);
  return true;
}
