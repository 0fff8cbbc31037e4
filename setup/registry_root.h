// Registry root names of the installer configuration ("HKLM", "HKEY_USERS", ...).
#pragma once

enum class RegistryRoot {
  kNone,
  kClassesRoot,
  kCurrentConfig,
  kCurrentUser,
  kUsers,
  kLocalMachine,
};

// Exact, case-sensitive names only: "hklm" or "HKLM " map to kNone.
RegistryRoot MapRegistryRoot(const char* name);
