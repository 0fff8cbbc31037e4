#include "tools/skintool/skin_unpacker.h"

#include <filesystem>
#include <system_error>

#include "tools/skintool/image_file.h"
#include "tools/skintool/json_layout.h"
#include "tools/skintool/skin_dump.h"
#include "tools/skintool/text_file.h"

namespace {

class PngFolderSink : public SkinDump::ImageSink {
 public:
  explicit PngFolderSink(std::string folder) : folder_(std::move(folder)) {}

  bool Store(DibImage& image, const std::string& baseName, std::string& fileName,
             std::string& error) override {
    fileName = baseName + ".png";
    const std::string path = folder_ + "/" + fileName;
    std::string reason;
    if (ImageFile::Save(image, path, reason)) return true;
    error = path + ": " + reason;
    return false;
  }

 private:
  std::string folder_;
};

}  // namespace

bool SkinUnpacker::Unpack(Skin& skin, const std::string& folder, std::string& error) {
  std::error_code code;
  std::filesystem::create_directories(std::filesystem::path(folder), code);
  if (code || !std::filesystem::is_directory(std::filesystem::path(folder), code)) {
    error = folder + ": cannot create the folder";
    return false;
  }
  PngFolderSink sink(folder);
  SkinDump dump(&sink);
  Json tree;
  if (!dump.Write(skin, tree)) {
    error = dump.Error();
    return false;
  }
  const std::string jsonPath = folder + "/" + kJsonName;
  std::string reason;
  if (!TextFile::Write(jsonPath, JsonLayout::Indented(tree, 2) + "\n", reason)) {
    error = jsonPath + ": " + reason;
    return false;
  }
  return true;
}
