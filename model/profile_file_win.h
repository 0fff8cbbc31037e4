// ProfileFile: a ProfileReader over one INI file, read with the platform's
// private-profile calls (which find sections and keys without regard to
// case, drop white space around values and the quotes around a quoted one).
#pragma once

#include <cstddef>
#include <string>

#include "model/profile_reader.h"

class ProfileFile : public ProfileReader {
 public:
  explicit ProfileFile(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  // An empty path reads nothing: every read gives its default. (The
  // platform would look for a bare file name in the Windows folder.)
  int GetInt(const char* section, const char* key, int defaultValue) override;
  std::string GetString(const char* section, const char* key, const char* defaultValue,
                        std::size_t capacity) override;

  // "QorvaEditor.INI" in the folder of the running program; empty when the
  // program's path cannot be had.
  static std::string EditorConfigurationPath();

 private:
  std::string path_;
};
