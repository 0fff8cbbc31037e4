#include "tools/skintool/json_writer.h"

#include <cstdio>

void JsonWriter::BeginObject() {
  BeforeItem();
  const bool inlineLayout = IsInline();
  text_.push_back('{');
  scopes_.push_back(Scope{inlineLayout, 0});
}

void JsonWriter::EndObject() { Close('}'); }

void JsonWriter::BeginArray(bool inlineLayout) {
  BeforeItem();
  inlineLayout = inlineLayout || IsInline();
  text_.push_back('[');
  scopes_.push_back(Scope{inlineLayout, 0});
}

void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Key(const std::string& latin1) {
  BeforeItem();
  text_.push_back('"');
  AppendEscaped(latin1, text_);
  text_.append(IsInline() ? "\":" : "\": ");
  afterKey_ = true;
}

void JsonWriter::String(const std::string& latin1) {
  BeforeItem();
  text_.push_back('"');
  AppendEscaped(latin1, text_);
  text_.push_back('"');
}

void JsonWriter::Int(int64_t value) {
  BeforeItem();
  text_.append(std::to_string(value));
}

void JsonWriter::UInt(uint64_t value) {
  BeforeItem();
  text_.append(std::to_string(value));
}

void JsonWriter::Bool(bool value) {
  BeforeItem();
  text_.append(value ? "true" : "false");
}

void JsonWriter::Null() {
  BeforeItem();
  text_.append("null");
}

void JsonWriter::BeforeItem() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (scopes_.empty()) return;
  Scope& scope = scopes_.back();
  if (scope.count > 0) text_.push_back(',');
  ++scope.count;
  if (!scope.inlineLayout) NewLine(scopes_.size());
}

void JsonWriter::NewLine(size_t depth) {
  if (indent_ == 0) return;
  text_.push_back('\n');
  text_.append(depth * static_cast<size_t>(indent_), ' ');
}

void JsonWriter::Close(char bracket) {
  if (scopes_.empty()) return;
  const Scope scope = scopes_.back();
  scopes_.pop_back();
  if (scope.count > 0 && !scope.inlineLayout) NewLine(scopes_.size());
  text_.push_back(bracket);
}

void JsonWriter::AppendEscaped(const std::string& latin1, std::string& out) {
  for (unsigned char byte : latin1) {
    switch (byte) {
      case '"':
        out.append("\\\"");
        continue;
      case '\\':
        out.append("\\\\");
        continue;
      case '\b':
        out.append("\\b");
        continue;
      case '\f':
        out.append("\\f");
        continue;
      case '\n':
        out.append("\\n");
        continue;
      case '\r':
        out.append("\\r");
        continue;
      case '\t':
        out.append("\\t");
        continue;
      default:
        break;
    }
    if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out.append(escape);
    } else if (byte < 0x80) {
      out.push_back(static_cast<char>(byte));
    } else {
      // Latin-1 byte = code point U+0080..U+00FF: two UTF-8 bytes.
      out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
}
