// Latin1Text: the skin file keeps names as single-byte Latin-1 text, JSON
// strings are UTF-8. Every Latin-1 byte is the code point of the same value.
#pragma once

#include <string>

class Latin1Text {
 public:
  static std::string ToUtf8(const std::string& latin1);
  // The Latin-1 bytes of utf8; false (out untouched) when it holds a
  // character beyond U+00FF or is not well-formed UTF-8.
  static bool FromUtf8(const std::string& utf8, std::string& latin1);
};
