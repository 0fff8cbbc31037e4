// Finds or appends the uninstall log's entries ("file" by "path", "dir" by
// "path") under one log element without scanning its children each time: the
// children are read once when the first lookup comes and every entry
// appended afterwards is added, so a package of thousands of files costs one
// pass over the log instead of one per file. The order of the children in
// the document stays as appended. Values compare ignoring ASCII case, as the
// framework compares attribute values.
#pragma once

#include <string>
#include <unordered_map>

#include "framework/interfaces.h"
#include "setup/framework_ref.h"

class InstallLogIndex {
 public:
  InstallLogIndex() = default;
  InstallLogIndex(const InstallLogIndex&) = delete;
  InstallLogIndex& operator=(const InstallLogIndex&) = delete;

  // Starts over for another log element (or none).
  void Reset(framework::XmlElement* log);

  // The child `name` whose `attribute` equals `value`; *found tells whether
  // it was there already. A new child gets the attribute set. Borrowed (it
  // lives as long as the index), null when there is no log or the append fails.
  framework::XmlElement* FindOrAppend(const char* name, const char* attribute,
                                      const std::wstring& value, bool* found);

 private:
  static std::wstring Key(const char* name, const char* attribute, const std::wstring& value);
  void IndexChildren(const char* name, const char* attribute);

  framework::XmlElement* log_ = nullptr;
  std::unordered_map<std::wstring, FrameworkRef<framework::XmlElement>> entries_;
  // (name, attribute) pairs whose existing children are in entries_.
  std::unordered_map<std::wstring, bool> indexed_;
};
