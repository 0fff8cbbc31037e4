// JsonWriter: writes JSON text as it is produced, into a string. Strings are
// taken as Latin-1 bytes (the skin file's names are single-byte text) and
// come out as UTF-8, with \u escapes for control characters.
//
// Layout: compact by default. With indentation, every member and element
// goes on a line of its own, except inside arrays opened as inline, which
// keep short number lists such as [x,y] on one line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class JsonWriter {
 public:
  explicit JsonWriter(int indent = 0) : indent_(indent) {}

  void BeginObject();
  void EndObject();
  void BeginArray(bool inlineLayout = false);
  void EndArray();
  // Names the next value inside an object.
  void Key(const std::string& latin1);
  void String(const std::string& latin1);
  void Int(int64_t value);
  void UInt(uint64_t value);
  void Bool(bool value);
  void Null();

  const std::string& Text() const { return text_; }

  // Appends latin1 as the body of a JSON string (without quotes).
  static void AppendEscaped(const std::string& latin1, std::string& out);

 private:
  struct Scope {
    bool inlineLayout;
    int count;
  };

  // Comma and line break before a value or key.
  void BeforeItem();
  void NewLine(size_t depth);
  void Close(char bracket);
  bool IsInline() const {
    return indent_ == 0 || (!scopes_.empty() && scopes_.back().inlineLayout);
  }

  int indent_;
  std::string text_;
  std::vector<Scope> scopes_;
  bool afterKey_ = false;
};
