// The installer's private copy of the framework: a fresh folder under the
// system's temporary folder, the current user's alone, the six libraries
// extracted into it (inheriting the folder's security), the
// framework pointed at it through OXU_SHARED_PATH and OXU_LIBRARY_PATH, the
// component library bound and the other five registered. Implemented for
// Windows only.
#pragma once

#include <string>

#include "framework/interfaces.h"
#include "setup/framework_binding.h"

class MessageSink;
class VariableTable;

class TemporaryEnvironment {
 public:
  // Archive entry and file name of each framework library, in extraction order.
  struct Library {
    const char* entry;
    const char* file;
  };
  static const Library kLibraries[6];

  TemporaryEnvironment(framework::Archive* archive, const VariableTable& variables,
                       MessageSink& messages)
      : archive_(archive), variables_(variables), messages_(messages) {}
  TemporaryEnvironment(const TemporaryEnvironment&) = delete;
  TemporaryEnvironment& operator=(const TemporaryEnvironment&) = delete;

  // False when the folder cannot be made, a library cannot be extracted or
  // the binding fails; what was created by then stays.
  bool SetUpEnvironment();
  // Unbinds and deletes the folder with everything in it.
  void TearDownEnvironment();

  // Registers a library with the framework's registrar; a refusal is shown
  // as "Registration Failed for ..." (Error).
  bool RegisterLibrary(const char* path, const wchar_t* modelDirectory, int kind);

  const std::string& folder() const { return folder_; }
  FrameworkBinding& binding() { return binding_; }

  // Makes a new folder "<temp>\trvxtmp~<n>" (n = 0, 1, 2, ... in lower-case
  // hexadecimal; temp loses one trailing "\") that belongs to the current
  // user alone. A name is taken by creating it: a create that fails because
  // the name exists moves on to the next n, so a folder someone else
  // prepared is never used. False when temp is empty or a create fails for
  // any other reason.
  static bool CreateFreshFolder(const std::string& temp, std::string* folder);

 private:
  bool CreateFolder();
  bool ExtractLibraries();

  framework::Archive* archive_;
  const VariableTable& variables_;
  MessageSink& messages_;
  std::string folder_;
  FrameworkBinding binding_;
};
