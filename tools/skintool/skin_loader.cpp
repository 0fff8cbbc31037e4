#include "tools/skintool/skin_loader.h"

#include <cstdio>
#include <memory>
#include <new>

#include "model/file_system.h"
#include "model/skin_file_io.h"

bool SkinLoader::Open(const std::string& path, Skin& skin, std::string& error) {
  if (!file_system::IsExistingFile(path)) {
    error = path + ": no such file";
    return false;
  }
  if (skin.Open(path)) return true;
  error = path + ": " + Diagnose(path);
  return false;
}

// Mirrors Skin::Read closely enough to find the first record that fails; a
// partly read container keeps its name and the objects read before the fault.
std::string SkinLoader::Diagnose(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return "cannot open the file";
  int32_t count = 0;
  std::string reason;
  if (!skin_file::ReadI32(file, count) || count <= 0) {
    reason = "no containers (bad container count)";
  } else {
    for (int32_t i = 0; i < count && reason.empty(); ++i) {
      std::unique_ptr<SkinContainer> container(new (std::nothrow) SkinContainer());
      if (!container) {
        reason = "out of memory";
      } else if (!container->Read(file)) {
        reason = "cannot read container " + std::to_string(i + 1) + " of " + std::to_string(count) +
                 " (" +
                 (container->name.empty() ? std::string("name not read")
                                          : "name \"" + container->name + "\"") +
                 ", " + std::to_string(container->objects.size()) + " objects read)";
      }
    }
  }
  std::fclose(file);
  return reason.empty() ? "cannot read the skin file" : reason;
}
