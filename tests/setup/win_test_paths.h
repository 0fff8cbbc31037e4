// Paths the Windows tests of the installer work with.
#pragma once

#include <windows.h>

#include <string>

// The folder of the running test program (where the fake libraries are built).
inline std::string TestProgramFolder() {
  char path[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

inline bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string Environment(const char* name) {
  char value[4096] = "";
  DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
  return length < sizeof(value) ? std::string(value, length) : std::string();
}
