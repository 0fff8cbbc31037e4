// The registrar's process-wide state: the registered libraries (read from
// and written to the registrations file) and the ones loaded so far, and the
// factory that asks them, in registration order, for the classes they make.
// All operations lock, so the install worker may register and create objects
// while the GUI thread does the same.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "framework/interfaces.h"
#include "framework/oxu/oxu_platform.h"
#include "framework/oxu/registration_file.h"

class LibraryRegistry {
 public:
  explicit LibraryRegistry(OxuPlatform& platform) : platform_(platform) {}
  // Unloads nothing: libraries go only through Shutdown, which runs while
  // their code may still be called, never from a library's detach.
  ~LibraryRegistry() = default;
  LibraryRegistry(const LibraryRegistry&) = delete;
  LibraryRegistry& operator=(const LibraryRegistry&) = delete;

  // The factory handed to each loaded library's TConnectFactory.
  void SetConnectFactory(framework::CreateInstanceFunction factory);

  // Registrar operations (framework/interfaces.h).
  int32_t Register(int32_t mode, const wchar_t* libraryPath, int32_t kind,
                   const wchar_t* modelDirectory);
  int32_t Initialize();
  int32_t Shutdown();

  // Asks the registered libraries in order; kNoClass when none answers.
  int32_t CreateInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                         void** object, framework::Object* outer);

  std::vector<Registration> Registrations();

 private:
  struct Entry {
    Registration registration;
    LoadedLibrary library;
    bool loaded = false;
    bool failed = false;
  };

  void ReadRegistrationsLocked();
  bool SaveLocked();
  bool LoadLocked(Entry& entry);
  void UnloadLocked(Entry& entry);
  int32_t AddLocked(const Registration& registration);
  int32_t RemoveLocked(const std::wstring& path);

  OxuPlatform& platform_;
  std::recursive_mutex mutex_;
  std::vector<Entry> entries_;
  // Unregistered libraries stay loaded until Shutdown: objects they made may
  // still be alive.
  std::vector<Entry> retired_;
  bool read_ = false;
  bool initialized_ = false;
  framework::CreateInstanceFunction connect_factory_ = nullptr;
};
