// Skin's file operations: Save, Open and Read.
#include <cstdio>
#include <memory>
#include <new>
#include <utility>

#include "model/file_system.h"
#include "model/skin.h"
#include "model/skin_file_io.h"

namespace {

// Written beside the target, so the final rename stays on one volume.
constexpr const char* kTemporarySuffix = ".saving";

// The smallest container record: magic, version, a one-letter name line,
// separator, offset, no background, empty region and polygon, a one-byte
// packed block and an object count.
constexpr uint64_t kMinContainerBytes = 4 + 2 + 2 + 1 + 8 + 1 + 4 + 4 + 4 + 1 + 4;

// Writes count and containers; false on any failed write, including the
// buffered bytes that only reach the disk when the file is closed.
bool WriteContainers(std::FILE* file,
                     const std::vector<std::unique_ptr<SkinContainer>>& containers) {
  bool ok = skin_file::WriteI32(file, static_cast<int32_t>(containers.size()));
  for (size_t i = 0; ok && i < containers.size(); ++i) ok = containers[i]->Write(file);
  ok = ok && std::fflush(file) == 0 && !std::ferror(file);
  return std::fclose(file) == 0 && ok;
}

}  // namespace

bool Skin::Save() {
  if (containers.empty() || filePath.empty()) return false;
  if (containers.size() > static_cast<size_t>(INT32_MAX)) return false;
  for (const std::unique_ptr<SkinContainer>& container : containers) {
    if (!container) return false;
  }
  const std::string temporary = filePath + kTemporarySuffix;
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return false;
  if (!WriteContainers(file, containers) || !file_system::MoveFileOver(temporary, filePath)) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool Skin::Save(const std::string& path) {
  if (containers.empty()) return false;
  filePath = path;
  return Save();
}

bool Skin::Open(const std::string& path) {
  if (!file_system::IsExistingFile(path)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  const bool read = Read(file);
  if (read) filePath = path;
  std::fclose(file);
  return read;
}

bool Skin::Read(std::FILE* file) {
  Clear();
  int32_t count = 0;
  if (file == nullptr || !skin_file::ReadI32(file, count) || count <= 0 ||
      !skin_file::MayHold(file, static_cast<uint64_t>(count) * kMinContainerBytes)) {
    return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    std::unique_ptr<SkinContainer> container(new (std::nothrow) SkinContainer());
    if (!container || !container->Read(file)) {
      Clear();
      return false;
    }
    containers.push_back(std::move(container));
  }
  return true;
}
