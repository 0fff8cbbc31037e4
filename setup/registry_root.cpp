#include "setup/registry_root.h"

#include <cstring>

namespace {

struct RootName {
  const char* name;
  RegistryRoot root;
};

constexpr RootName kRootNames[] = {
    {"HKEY_CLASSES_ROOT", RegistryRoot::kClassesRoot},
    {"HKCR", RegistryRoot::kClassesRoot},
    {"HKEY_CURRENT_CONFIG", RegistryRoot::kCurrentConfig},
    {"HKCC", RegistryRoot::kCurrentConfig},
    {"HKEY_CURRENT_USER", RegistryRoot::kCurrentUser},
    {"HKCU", RegistryRoot::kCurrentUser},
    {"HKEY_USERS", RegistryRoot::kUsers},
    {"HKU", RegistryRoot::kUsers},
    {"HKEY_LOCAL_MACHINE", RegistryRoot::kLocalMachine},
    {"HKLM", RegistryRoot::kLocalMachine},
};

}  // namespace

RegistryRoot MapRegistryRoot(const char* name) {
  if (name == nullptr) return RegistryRoot::kNone;
  for (const RootName& entry : kRootNames) {
    if (std::strcmp(entry.name, name) == 0) return entry.root;
  }
  return RegistryRoot::kNone;
}
