#include "setup/registry_root.h"

#include <gtest/gtest.h>

namespace {

TEST(MapRegistryRoot, AcceptsOnlyTheExactNames) {
  struct Case {
    const char* name;
    RegistryRoot root;
  };
  const Case cases[] = {
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
      {"hklm", RegistryRoot::kNone},
      {"HKEY_LOCAL_MACHINE ", RegistryRoot::kNone},
      {" HKLM", RegistryRoot::kNone},
      {"HKEY_Users", RegistryRoot::kNone},
      {"HKEY_LOCAL", RegistryRoot::kNone},
      {"", RegistryRoot::kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.root, MapRegistryRoot(c.name)) << "name: '" << c.name << "'";
  }
  EXPECT_EQ(RegistryRoot::kNone, MapRegistryRoot(nullptr));
}

}  // namespace
