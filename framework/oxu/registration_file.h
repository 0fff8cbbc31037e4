// The registrations file of the library registrar: one line per registered
// library, "<kind>\t<path>\t<model directory>", UTF-8, with '#' comment lines.
// Lines that do not parse are skipped, so a damaged line costs only itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Registration {
  std::wstring path;
  int32_t kind = 0;
  std::wstring model_directory;
};

class RegistrationFile {
 public:
  static std::vector<Registration> Parse(const std::string& text);
  static std::string Format(const std::vector<Registration>& registrations);

  // Whether text can be written into a line (no tab, line break or NUL).
  static bool CanHold(const std::wstring& text);
};
