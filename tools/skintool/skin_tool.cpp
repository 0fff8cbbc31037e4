#include "tools/skintool/skin_tool.h"

#include "imaging/dib_image.h"
#include "model/skin.h"
#include "tools/skintool/image_file.h"
#include "tools/skintool/skin_dump.h"
#include "tools/skintool/skin_loader.h"
#include "tools/skintool/skin_packer.h"
#include "tools/skintool/skin_unpacker.h"

namespace {

constexpr const char* kUsage =
    "usage: skintool dump SKIN | unpack SKIN DIR | pack DIR SKIN | convert IN OUT";

}  // namespace

int SkinTool::Run(const std::vector<std::string>& arguments) {
  output_.clear();
  error_.clear();
  const std::string command = arguments.empty() ? std::string() : arguments[0];
  if (command == "dump" && arguments.size() == 2) return Dump(arguments[1]);
  if (command == "unpack" && arguments.size() == 3) return Unpack(arguments[1], arguments[2]);
  if (command == "pack" && arguments.size() == 3) return Pack(arguments[1], arguments[2]);
  if (command == "convert" && arguments.size() == 3) return Convert(arguments[1], arguments[2]);
  return Fail(kUsage);
}

int SkinTool::Fail(const std::string& message) {
  // Exactly one line, whatever the message carries (names may hold breaks).
  error_ = "skintool: ";
  for (char c : message) error_.push_back(c == '\n' || c == '\r' ? ' ' : c);
  error_.push_back('\n');
  return kFailure;
}

int SkinTool::Dump(const std::string& skinPath) {
  Skin skin;
  std::string error;
  if (!SkinLoader::Open(skinPath, skin, error)) return Fail(error);
  output_ = SkinDump::Text(skin);
  return kSuccess;
}

int SkinTool::Unpack(const std::string& skinPath, const std::string& folder) {
  Skin skin;
  std::string error;
  if (!SkinLoader::Open(skinPath, skin, error) || !SkinUnpacker::Unpack(skin, folder, error)) {
    return Fail(error);
  }
  return kSuccess;
}

int SkinTool::Pack(const std::string& folder, const std::string& skinPath) {
  SkinPacker packer(folder);
  if (!packer.Pack(skinPath)) return Fail(packer.Error());
  return kSuccess;
}

int SkinTool::Convert(const std::string& inPath, const std::string& outPath) {
  if (ImageFile::FormatOf(outPath) < 0) return Fail(outPath + ": not a .bmp or .png file");
  DibImage image;
  std::string error;
  if (!ImageFile::Load(inPath, image, error)) return Fail(inPath + ": " + error);
  if (!ImageFile::Save(image, outPath, error)) return Fail(outPath + ": " + error);
  return kSuccess;
}
