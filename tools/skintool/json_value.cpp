#include "tools/skintool/json_value.h"

const JsonValue* JsonValue::Find(const std::string& key) const {
  if (type != Type::kObject) return nullptr;
  for (const auto& member : members) {
    if (member.first == key) return &member.second;
  }
  return nullptr;
}

bool JsonValue::GetInt(int64_t minimum, int64_t maximum, int64_t& out) const {
  if (type != Type::kNumber || !isInteger || integer < minimum || integer > maximum) return false;
  out = integer;
  return true;
}

bool JsonValue::GetLatin1(std::string& out) const {
  if (type != Type::kString) return false;
  std::string bytes;
  bytes.reserve(text.size());
  // text is valid UTF-8 (the reader checks it), so only lead bytes C2 and C3
  // (U+0080..U+00FF) need mapping; anything longer is out of range.
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      bytes.push_back(static_cast<char>(byte));
    } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < text.size()) {
      const unsigned char next = static_cast<unsigned char>(text[++i]);
      bytes.push_back(static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F)));
    } else {
      return false;
    }
  }
  out.swap(bytes);
  return true;
}
