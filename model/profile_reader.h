// ProfileReader: the two reads of an INI-style profile that the editor's
// configuration needs, behind an interface so that the configuration logic
// runs and is tested without a Windows profile file.
#pragma once

#include <cstddef>
#include <string>

class ProfileReader {
 public:
  virtual ~ProfileReader() = default;

  // The integer value of key in section, or defaultValue when the key is
  // missing. Text that is no number reads as 0, as the platform call does.
  virtual int GetInt(const char* section, const char* key, int defaultValue) = 0;

  // The text of key in section, or defaultValue when the key is missing,
  // read into a buffer of capacity characters: at most capacity - 1
  // characters come back, longer texts are cut. A capacity of 0 gives the
  // empty text.
  virtual std::string GetString(const char* section, const char* key, const char* defaultValue,
                                std::size_t capacity) = 0;
};
