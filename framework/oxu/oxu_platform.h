// What the library registry needs from the operating system: the
// registrations file and loading libraries by full path. The Windows
// implementation is WindowsOxuPlatform; tests supply their own.
#pragma once

#include <string>

#include "framework/interfaces.h"

// One library loaded for the registry, with the exports it looked up.
struct LoadedLibrary {
  void* module = nullptr;
  framework::CreateInstanceFunction create = nullptr;
  framework::AttachFunction attach = nullptr;
  framework::ConnectFunction connect = nullptr;
};

class OxuPlatform {
 public:
  virtual ~OxuPlatform() = default;

  // The registrations file (OXU_LIBRARY_PATH); empty when none is named.
  virtual std::wstring RegistrationsPath() = 0;
  // False when the file is missing or unreadable.
  virtual bool ReadWholeFile(const std::wstring& path, std::string* contents) = 0;
  // Replaces the file as a whole (a temporary file beside it renamed over it).
  virtual bool ReplaceWholeFile(const std::wstring& path, const std::string& contents) = 0;
  // Loads the library at a full path, without any DLL search; false when it
  // does not load. Looks up the exports it has.
  virtual bool Load(const std::wstring& path, LoadedLibrary* library) = 0;
  virtual void Unload(const LoadedLibrary& library) = 0;
};
