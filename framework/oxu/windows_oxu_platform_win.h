// OxuPlatform on Win32: wide file calls, libraries loaded by full path with
// the search limited to their own folder and the system folder.
#pragma once

#include "framework/oxu/oxu_platform.h"

class WindowsOxuPlatform final : public OxuPlatform {
 public:
  std::wstring RegistrationsPath() override;
  bool ReadWholeFile(const std::wstring& path, std::string* contents) override;
  bool ReplaceWholeFile(const std::wstring& path, const std::string& contents) override;
  bool Load(const std::wstring& path, LoadedLibrary* library) override;
  void Unload(const LoadedLibrary& library) override;
};
