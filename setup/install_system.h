// What the install actions ask of the machine besides writing archive
// entries: the program uses the Windows calls (SystemInstallSystem), tests
// record what was asked.
#pragma once

#include <string>

#include "setup/registry_requests.h"

class InstallSystem {
 public:
  virtual bool RemoveFile(const std::string& path) = 0;
  // Extracts the program named by the archive entry `application` into the
  // temporary folder and starts it there with `options` appended; when wait
  // is set, waits for it within the program time limit.
  virtual bool RunArchivedProgram(const std::string& application, const std::string& options,
                                  bool wait) = 0;
  // The framework's registrar; an empty model directory is passed as none.
  virtual bool RegisterLibrary(const std::string& path, const std::string& modelDirectory,
                               int kind) = 0;
  virtual bool AddFont(const std::string& path) = 0;
  virtual bool CreateShortcut(const std::string& target, const std::string& link,
                              const std::string& description, const std::string& workingFolder) = 0;
  // 0 or the system's error code (13 for a root name that maps to nothing).
  virtual int32_t WriteRegistryEntry(RegistryWriteRequest& request) = 0;
  virtual bool RegisterFileType(FileTypeRequest& request) = 0;
  // An ANSI message box without owner and one OK button.
  virtual void ShowMessage(const std::string& text, const char* caption) = 0;

 protected:
  ~InstallSystem() = default;
};
