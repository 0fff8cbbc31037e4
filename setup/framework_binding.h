// The binding to the framework's component library (oxu.dll): loaded by full
// path, attached through its optional "DLLAttach" export, and used through its
// "TCreateInstance" factory. Implemented for Windows only.
#pragma once

#include <cstdint>
#include <string>

#include "framework/interfaces.h"

class FrameworkBinding {
 public:
  // Loads a library with LoadLibraryEx's flags; null on failure with the
  // reason in the thread's last error. Tests pass one to stand for an older
  // system.
  using LibraryLoader = void* (*)(const char* path, unsigned long flags);

  FrameworkBinding() = default;
  explicit FrameworkBinding(LibraryLoader loader) : loader_(loader) {}
  ~FrameworkBinding() { Unbind(); }
  FrameworkBinding(const FrameworkBinding&) = delete;
  FrameworkBinding& operator=(const FrameworkBinding&) = delete;

  // Loads the library at libraryPath, which must be a full path (a bare or
  // relative name would let the DLL search find a planted copy), taking its
  // own imports from its folder and the system folder; on systems that
  // refuse those search flags (no SetDefaultDllDirectories), with the
  // altered search order of the full path instead. Attaches it,
  // takes the factory, stores the path in OXU_SHARED_PATH and initialises the
  // registrar. False leaves nothing loaded.
  bool Bind(const std::string& libraryPath);

  // Shuts the registrar down when this binding initialised it, detaches and
  // unloads. Does nothing when not bound.
  void Unbind();

  bool IsBound() const { return factory_ != nullptr; }

  // The factory's answer, or kFailed when not bound.
  int32_t CreateInstance(const framework::Guid& classId, const framework::Guid& interfaceId,
                         void** object, framework::Object* outer = nullptr) const;

  // The library path the framework is looked for under: OXU_SHARED_PATH, else
  // "sharedpath" of HKEY_CURRENT_USER "Software\OXU" (or of HKEY_CLASSES_ROOT
  // "OXU" when that key does not open); empty when none is set or the text is
  // only blanks.
  static std::string FindSharedPath();

  // Drive-letter ("C:\", "C:/") or UNC ("\\server") path.
  static bool IsFullPath(const std::string& path);

 private:
  bool InitializeRegistrar();
  void Detach();
  void* Load(const std::string& libraryPath) const;

  LibraryLoader loader_ = nullptr;  // null: LoadLibraryExA
  void* module_ = nullptr;
  bool attached_ = false;
  framework::CreateInstanceFunction factory_ = nullptr;
  bool initialized_registrar_ = false;
};
