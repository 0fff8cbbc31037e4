// The uninstall log: one XML file that records everything the installer puts
// on the machine, across runs and packages, read and written through the
// framework's XML document. Each top-level package walk opens it (finding or
// adding its own "package" entry), the actions add to it, and the walk saves
// it back.
//
// The log holds every installation on the machine, so a save never writes
// over it in place: the document goes to a file beside it ("<log>.saving"),
// which is flushed and then moved over the log in one step only when every
// byte was written. A save that fails or is cut short by the process ending
// leaves the previous log whole.
#pragma once

#include <string>

#include "framework/interfaces.h"

class FrameworkFactory;

class UninstallLog {
 public:
  // Stands in for a save cut short: asked before every write of the saved
  // document (counted from 0); true makes that write and every later one
  // fail, as if the process had ended there.
  class WriteFault {
   public:
    virtual bool FailsWrite(int writeIndex) = 0;

   protected:
    ~WriteFault() = default;
  };

  UninstallLog(FrameworkFactory& factory, std::wstring path)
      : factory_(factory), path_(std::move(path)) {}
  // Lets go of an open document without saving it.
  ~UninstallLog() { ReleaseAll(); }
  UninstallLog(const UninstallLog&) = delete;
  UninstallLog& operator=(const UninstallLog&) = delete;

  // Loads the log (a missing file is created empty) and finds its
  // UninstallLog, packages and files elements (ignoring case), adding those
  // that are missing, and the "package" whose "ID" is the package's, adding
  // one with "name" (the package's "friendly_name", else its "name") and
  // "ID". False when the log cannot be opened or parsed: the package is then
  // installed without logging.
  bool OpenLog(framework::XmlElement* package);

  // The package's entry and the shared items' element, or null when the log
  // is not open. Borrowed: they live until SaveLog.
  framework::XmlElement* package_log() const { return package_log_; }
  framework::XmlElement* files_log() const { return files_log_; }

  // Saves the document when a log element exists (atomically, above) and
  // releases it. Whether the log on disk is now the new one.
  bool SaveLog();

  // The log file loaded into a new framework document, referenced; null when
  // no document can be made or the file cannot be opened or parsed. Opening
  // creates a missing file empty, which loads as an empty document.
  static framework::XmlDocument* LoadDocument(FrameworkFactory& factory, const std::wstring& path);

  // The file a save writes before it replaces the log.
  static std::wstring SavingPath(const std::wstring& path) { return path + L".saving"; }

  void SetWriteFault(WriteFault* fault) { fault_ = fault; }

 private:
  bool WriteReplacement();
  void ReleaseAll();

  FrameworkFactory& factory_;
  std::wstring path_;
  framework::XmlDocument* document_ = nullptr;
  framework::XmlElement* package_log_ = nullptr;
  framework::XmlElement* files_log_ = nullptr;
  WriteFault* fault_ = nullptr;
};
