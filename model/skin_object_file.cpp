// SkinObject's record in the skin file.
#include <memory>
#include <new>
#include <utility>

#include "imaging/region_records.h"
#include "model/skin_file_io.h"
#include "model/skin_object.h"

namespace {

// The name line of a record: shortcuts carry their target after a TAB, which
// is written even when the target is empty.
std::string NameLineOf(const SkinObject& object) {
  if (object.kind != SkinObjectKind::kShortcut) return object.name;
  return object.name + '\t' + object.shortcutTarget;
}

}  // namespace

bool SkinObject::CanWriteNameLine() const {
  // The reader splits a shortcut's line at its first TAB, so a TAB in the name
  // would move part of the name into the target.
  if (kind == SkinObjectKind::kShortcut && name.find('\t') != std::string::npos) return false;
  return skin_file::IsWritableNameLine(NameLineOf(*this));
}

bool SkinObject::Write(std::FILE* file) {
  using namespace skin_file;
  if (file == nullptr || !CanWriteNameLine()) return false;
  if (!WriteNameLine(file, NameLineOf(*this)) || !WriteByte(file, 0) || !WriteU32(file, kind) ||
      !WriteI16(file, orientation) || !WriteRegion(file, windowShape) ||
      !WritePointList(file, windowShape.points) || !WritePointList(file, mousePolygon) ||
      !WriteU32(file, visible) || !WritePackedBlock(file, block.Bytes().data())) {
    return false;
  }
  if (images.size() > static_cast<size_t>(INT32_MAX) ||
      !WriteI32(file, static_cast<int32_t>(images.size()))) {
    return false;
  }
  for (const std::unique_ptr<DibImage>& image : images) {
    DibImage empty;
    if (!WriteImage(file, image ? *image : empty)) return false;
  }
  return true;
}

bool SkinObject::Read(std::FILE* file) {
  using namespace skin_file;
  std::string line;
  BYTE separator = 1;
  if (file == nullptr || !ReadNameLine(file, line) || !ReadByte(file, separator) ||
      separator != 0 || !ReadU32(file, kind)) {
    return false;
  }
  name = line;
  shortcutTarget.clear();
  if (kind == SkinObjectKind::kShortcut) {
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) {
      name = line.substr(0, tab);
      shortcutTarget = line.substr(tab + 1);
    }
  }
  if (!ReadI16(file, orientation) || !ReadRegion(file, windowShape) ||
      !ReadPointList(file, windowShape.points) || !ReadPointList(file, mousePolygon) ||
      !ReadU32(file, visible) || !ReadPackedBlock(file, block.Bytes().data())) {
    return false;
  }
  return ReadImages(file);
}

bool SkinObject::ReadImages(std::FILE* file) {
  using namespace skin_file;
  int32_t count = 0;
  if (!ReadI32(file, count)) return false;
  DeleteImages();
  // Every entry takes at least its presence byte.
  if (count > 0 && !MayHold(file, static_cast<uint64_t>(count))) return false;
  for (int32_t i = 0; i < count; ++i) {
    std::unique_ptr<DibImage> image = ReadImage(file);
    if (!image) return false;
    images.push_back(std::move(image));
  }
  return true;
}
