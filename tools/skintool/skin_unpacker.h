// SkinUnpacker: turns a skin into a folder that can live in version
// control: skin.json (the skin dump, pretty-printed, each picture naming its
// PNG file) and one PNG per picture beside it. SkinPacker reverses it.
#pragma once

#include <string>

#include "model/skin.h"

class SkinUnpacker {
 public:
  static constexpr const char* kJsonName = "skin.json";

  // Creates folder when missing and writes into it; existing files of the
  // same names are replaced. On failure error names the file and reason.
  static bool Unpack(Skin& skin, const std::string& folder, std::string& error);
};
