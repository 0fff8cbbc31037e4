// TextFile: whole files in and out of a string, with a size limit on
// reading so a huge or endless input cannot exhaust memory.
#pragma once

#include <cstddef>
#include <string>

class TextFile {
 public:
  // Reads path as bytes; false (with a message) when it cannot be read or
  // holds more than maxBytes.
  static bool Read(const std::string& path, size_t maxBytes, std::string& text, std::string& error);
  // Writes text to path as bytes, created or truncated; a failed write
  // removes the file.
  static bool Write(const std::string& path, const std::string& text, std::string& error);
};
