#include "setup/system_services.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "setup/registry_root_win.h"
#include "tests/setup/win_test_paths.h"

namespace {

constexpr char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPending[] = "PendingFileRenameOperations";

TEST(PlatformFacts, TheTestSystemIsOfTheNtFamilyAndTakesWideCalls) {
  EXPECT_TRUE(GetPlatformFacts().version_obtained);
  EXPECT_FALSE(GetPlatformFacts().windows_9x);
  EXPECT_TRUE(UsesWideCalls());
}

// Adds a pending rename to the test prefix's registry, then takes it away
// again (restoring whatever was there before).
TEST(IsRebootNeeded, FollowsThePendingRenamesValueOnNt) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, nullptr, 0,
                                           KEY_READ | KEY_WRITE, nullptr, &key, nullptr));
  std::vector<BYTE> saved(8192);
  DWORD savedType = 0;
  DWORD savedSize = static_cast<DWORD>(saved.size());
  bool hadValue = RegQueryValueExA(key, kPending, nullptr, &savedType, saved.data(), &savedSize) ==
                  ERROR_SUCCESS;
  RegDeleteValueA(key, kPending);
  EXPECT_FALSE(IsRebootNeededNt());
  EXPECT_FALSE(IsRebootNeeded());

  const char renames[] = "\\??\\C:\\a.tmp\0\\??\\C:\\a.dll\0";
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, kPending, 0, REG_MULTI_SZ,
                                          reinterpret_cast<const BYTE*>(renames), sizeof(renames)));
  EXPECT_TRUE(IsRebootNeededNt());
  EXPECT_TRUE(IsRebootNeeded());

  RegDeleteValueA(key, kPending);
  if (hadValue) RegSetValueExA(key, kPending, 0, savedType, saved.data(), savedSize);
  RegCloseKey(key);
}

TEST(IsRebootNeeded, AsksFor9xRestartOnlyForANonEmptyWininit) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "qorva_wininit_test";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string wininit = folder + "\\wininit.ini";
  DeleteFileA(wininit.c_str());

  EXPECT_FALSE(IsRebootNeeded9x(folder));
  FILE* file = std::fopen(wininit.c_str(), "wb");
  ASSERT_NE(nullptr, file);
  std::fclose(file);
  EXPECT_FALSE(IsRebootNeeded9x(folder));
  file = std::fopen(wininit.c_str(), "wb");
  ASSERT_NE(nullptr, file);
  std::fputs("[rename]\r\nNUL=C:\\old.dll\r\n", file);
  std::fclose(file);
  EXPECT_TRUE(IsRebootNeeded9x(folder));
  EXPECT_FALSE(IsRebootNeeded9x(folder + "\\missing"));

  DeleteFileA(wininit.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST(RegistryRootKey, GivesThePlatformKeys) {
  EXPECT_EQ(HKEY_LOCAL_MACHINE, RegistryRootKey(MapRegistryRoot("HKLM")));
  EXPECT_EQ(HKEY_LOCAL_MACHINE, RegistryRootKey(MapRegistryRoot("HKEY_LOCAL_MACHINE")));
  EXPECT_EQ(HKEY_USERS, RegistryRootKey(MapRegistryRoot("HKU")));
  EXPECT_EQ(HKEY_CURRENT_USER, RegistryRootKey(MapRegistryRoot("HKCU")));
  EXPECT_EQ(HKEY_CLASSES_ROOT, RegistryRootKey(MapRegistryRoot("HKCR")));
  EXPECT_EQ(HKEY_CURRENT_CONFIG, RegistryRootKey(MapRegistryRoot("HKCC")));
  EXPECT_EQ(nullptr, RegistryRootKey(MapRegistryRoot("HKEY_LOCAL_MACHINE ")));
}

}  // namespace
