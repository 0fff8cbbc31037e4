// SkinPacker: builds a skin file from a folder that SkinUnpacker wrote (or
// a person edited): skin.json in the dump's shape plus the pictures it
// names. Every key of the shape must be present and no other; an IMG needs
// "file" (a .png or .bmp path relative to the folder, without "..");
// its width, height, bpp and pixels only describe the picture and are not
// checked, so edited pictures can be packed as they are. Names must read
// back from the skin file exactly as given.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "imaging/window_region.h"
#include "model/skin.h"
#include "tools/skintool/json.h"

class SkinPacker {
 public:
  // Largest skin.json read.
  static constexpr size_t kMaxJsonBytes = size_t{64} << 20;

  explicit SkinPacker(std::string folder) : folder_(std::move(folder)) {}

  // Fills skin from the folder. On failure error names the file and, for
  // skin.json, the failing field.
  bool Build(Skin& skin);
  // Build, then save the skin to path.
  bool Pack(const std::string& skinPath);

  const std::string& Error() const { return error_; }

 private:
  bool ReadContainer(const Json& value, const std::string& where, SkinContainer& container);
  bool ReadObject(const Json& value, const std::string& where, SkinObject& object);
  bool ReadImage(const Json& value, const std::string& where, DibImage& image);
  bool ReadRegion(const Json& value, const std::string& where, WindowRegion& shape);
  bool ReadPoint(const Json& value, const std::string& where, POINT& point);
  bool ReadPoints(const Json& value, const std::string& where, std::vector<POINT>& points);
  bool ReadBlock(const Json& value, const std::string& where, BYTE* bytes, size_t size);
  bool ReadText(const Json& value, const std::string& where, std::string& text);
  bool ReadInt(const Json& value, const std::string& where, int64_t minimum, int64_t maximum,
               int64_t& out);
  // Checks that value is an object holding exactly keys (all of them).
  bool HasExactKeys(const Json& value, const std::string& where,
                    const std::vector<const char*>& keys);
  bool Fail(const std::string& where, const std::string& reason);

  std::string folder_;
  std::string error_;
};
