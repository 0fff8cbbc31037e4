// SkinLoader: opens a skin file as the editor does (Skin::Open, no menu
// container handling) and, when that fails, reads the file again record by
// record to say which container record is at fault.
#pragma once

#include <string>

#include "model/skin.h"

class SkinLoader {
 public:
  // On failure error is one line naming the file and the failing record.
  static bool Open(const std::string& path, Skin& skin, std::string& error);

 private:
  static std::string Diagnose(const std::string& path);
};
