#include "setup/registry_root_win.h"

HKEY RegistryRootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::kCurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case RegistryRoot::kCurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::kUsers:
      return HKEY_USERS;
    case RegistryRoot::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::kNone:
      break;
  }
  return nullptr;
}
