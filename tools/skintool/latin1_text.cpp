#include "tools/skintool/latin1_text.h"

std::string Latin1Text::ToUtf8(const std::string& latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (unsigned char byte : latin1) {
    if (byte < 0x80) {
      utf8.push_back(static_cast<char>(byte));
    } else {
      utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return utf8;
}

// U+0080..U+00FF are the two-byte sequences led by C2 and C3; every other
// lead byte starts a character out of range (or is no UTF-8 at all).
bool Latin1Text::FromUtf8(const std::string& utf8, std::string& latin1) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      bytes.push_back(static_cast<char>(byte));
      continue;
    }
    if ((byte != 0xC2 && byte != 0xC3) || i + 1 == utf8.size()) return false;
    const unsigned char next = static_cast<unsigned char>(utf8[++i]);
    if ((next & 0xC0) != 0x80) return false;
    bytes.push_back(static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F)));
  }
  latin1.swap(bytes);
  return true;
}
