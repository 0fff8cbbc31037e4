// SkinContainer's record in the skin file.
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "imaging/region_records.h"
#include "model/skin_container.h"
#include "model/skin_file_io.h"

namespace {

constexpr char kMagic[4] = {'Q', 'B', 'O', 'X'};
constexpr int16_t kVersion = 2;

// The smallest object record: an empty name line (LF alone), the separator,
// kind, orientation, empty region and point lists, visible flag, a one-byte
// packed block and an image count.
constexpr uint64_t kMinObjectBytes = 1 + 1 + 4 + 2 + 4 + 4 + 4 + 4 + 4 + 1 + 4;

}  // namespace

bool SkinContainer::CanWrite() const {
  if (skin_file::StripWhiteSpace(name).empty() || !skin_file::IsWritableNameLine(name)) {
    return false;
  }
  for (const std::unique_ptr<SkinObject>& object : objects) {
    if (object && !object->CanWriteNameLine()) return false;
  }
  return true;
}

bool SkinContainer::Write(std::FILE* file) {
  using namespace skin_file;
  // A name the reader would refuse or cut short makes the whole file
  // unreadable, so such a container is not written at all.
  if (file == nullptr || !CanWrite()) return false;
  if (!WriteBytes(file, kMagic, sizeof(kMagic)) || !WriteI16(file, kVersion) ||
      !WriteNameLine(file, name) || !WriteByte(file, 0) || !WriteI32(file, alphablendOffset.x) ||
      !WriteI32(file, alphablendOffset.y) || !WriteImage(file, background) ||
      !WriteRegion(file, windowShape) || !WritePointList(file, windowShape.points) ||
      !WritePackedBlock(file, block.Bytes().data())) {
    return false;
  }
  size_t count = 0;
  for (const std::unique_ptr<SkinObject>& object : objects) count += object ? 1 : 0;
  if (count > static_cast<size_t>(INT32_MAX) || !WriteI32(file, static_cast<int32_t>(count))) {
    return false;
  }
  for (const std::unique_ptr<SkinObject>& object : objects) {
    if (object && !object->Write(file)) return false;
  }
  return true;
}

bool SkinContainer::Read(std::FILE* file) {
  using namespace skin_file;
  Reset();
  char magic[sizeof(kMagic)];
  int16_t version = 0;
  std::string line;
  BYTE separator = 1;
  if (file == nullptr || !ReadBytes(file, magic, sizeof(magic)) ||
      std::memcmp(magic, kMagic, sizeof(kMagic)) != 0 || !ReadI16(file, version) ||
      version > kVersion || !ReadNameLine(file, line) || !ReadByte(file, separator) ||
      separator != 0 || line.empty()) {
    return false;
  }
  name = line;
  int32_t x = 0;
  int32_t y = 0;
  if (!ReadI32(file, x) || !ReadI32(file, y)) return false;
  alphablendOffset = POINT{x, y};
  if (!ReadBackground(file) || !ReadRegion(file, windowShape) ||
      !ReadPointList(file, windowShape.points) || !ReadPackedBlock(file, block.Bytes().data())) {
    return false;
  }
  return ReadObjects(file);
}

bool SkinContainer::ReadBackground(std::FILE* file) {
  BYTE present = 0;
  if (!skin_file::ReadByte(file, present)) return false;
  return present == 0 || skin_file::ReadPng(file, background);
}

bool SkinContainer::ReadObjects(std::FILE* file) {
  int32_t count = 0;
  if (!skin_file::ReadI32(file, count)) return false;
  if (count > 0 && !skin_file::MayHold(file, static_cast<uint64_t>(count) * kMinObjectBytes)) {
    return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    std::unique_ptr<SkinObject> object(new (std::nothrow) SkinObject());
    if (!object || !object->Read(file)) return false;
    objects.push_back(std::move(object));
  }
  return true;
}
