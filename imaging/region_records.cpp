#include "imaging/region_records.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "imaging/little_endian.h"
#include "imaging/region_data.h"
#include "imaging/stdio_fields.h"

namespace {

using stdio_fields::MayHold;
using stdio_fields::ReadI32;
using stdio_fields::WriteI32;

constexpr size_t kPointSize = 8;
// Points are read and written in blocks of this many, so a list needs no
// buffer of its full size and a lying count costs at most one block.
constexpr size_t kPointsPerBlock = 512;
constexpr size_t kBytesPerBlock = 64 * 1024;

// Reads length bytes block by block, so the buffer never outgrows what
// the file really delivered.
bool ReadBytes(std::FILE* file, size_t length, std::vector<BYTE>& out) {
  std::vector<BYTE> bytes;
  while (bytes.size() < length) {
    const size_t done = bytes.size();
    const size_t wanted = std::min(kBytesPerBlock, length - done);
    bytes.resize(done + wanted);
    if (std::fread(bytes.data() + done, 1, wanted, file) != wanted) return false;
  }
  out.swap(bytes);
  return true;
}

}  // namespace

bool WritePointList(std::FILE* file, const std::vector<POINT>& points) {
  if (file == nullptr || points.size() > static_cast<size_t>(INT32_MAX)) return false;
  if (!WriteI32(file, static_cast<int32_t>(points.size()))) return false;
  uint8_t block[kPointsPerBlock * kPointSize];
  for (size_t first = 0; first < points.size(); first += kPointsPerBlock) {
    const size_t count = std::min(kPointsPerBlock, points.size() - first);
    for (size_t i = 0; i < count; ++i) {
      StoreLeI32(block + i * kPointSize, points[first + i].x);
      StoreLeI32(block + i * kPointSize + 4, points[first + i].y);
    }
    if (std::fwrite(block, kPointSize, count, file) != count) return false;
  }
  return true;
}

bool ReadPointList(std::FILE* file, std::vector<POINT>& points) {
  int32_t count = 0;
  if (file == nullptr || !ReadI32(file, count)) return false;
  if (count <= 0) {
    points.clear();
    return true;
  }
  const size_t total = static_cast<size_t>(count);
  if (!MayHold(file, static_cast<uint64_t>(total) * kPointSize)) return false;
  // The list grows only by blocks that were actually read.
  std::vector<POINT> read;
  uint8_t block[kPointsPerBlock * kPointSize];
  while (read.size() < total) {
    const size_t wanted = std::min(kPointsPerBlock, total - read.size());
    if (std::fread(block, kPointSize, wanted, file) != wanted) return false;
    for (size_t i = 0; i < wanted; ++i) {
      read.push_back(
          POINT{LoadLeI32(block + i * kPointSize), LoadLeI32(block + i * kPointSize + 4)});
    }
  }
  points.swap(read);
  return true;
}

bool WriteRegion(std::FILE* file, const WindowRegion& shape) {
  if (file == nullptr) return false;
  if (!shape.region) return WriteI32(file, 0);
  const std::vector<BYTE> bytes = shape.region->ToBytes();
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) return false;
  return WriteI32(file, static_cast<int32_t>(bytes.size())) &&
         std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool ReadRegion(std::FILE* file, WindowRegion& shape) {
  int32_t size = 0;
  if (file == nullptr || !ReadI32(file, size)) return false;
  if (size <= 0) {
    shape.region.reset();
    return true;
  }
  const size_t length = static_cast<size_t>(size);
  if (!MayHold(file, length)) return false;
  std::vector<BYTE> bytes;
  if (!ReadBytes(file, length, bytes)) return false;
  // Bytes that make no region leave the element without one; the record
  // itself was read whole, so the rest of the file still lines up.
  RegionData region;
  if (RegionData::FromBytes(bytes.data(), bytes.size(), region)) {
    shape.region = std::move(region);
  } else {
    shape.region.reset();
  }
  return true;
}
