// The script globals of the library: the objects added through any script
// engine object, in the order added, each held with a reference until the
// library unloads. Contexts install the ones they have not seen yet before
// each run. Safe from any thread.
#pragma once

#include <mutex>
#include <vector>

#include "framework/interfaces.h"

class ScriptObject;

class GlobalObjectTable {
 public:
  struct Entry {
    framework::Object* given;  // what was added (often an outer object)
    ScriptObject* script;      // the script object behind it
  };

  static GlobalObjectTable& Instance();

  void Add(framework::Object* given, ScriptObject* script);
  // Entries from index `from` on. They stay valid until Clear.
  std::vector<Entry> From(size_t from);
  // Releases every entry (the library is unloading).
  void Clear();

 private:
  std::mutex mutex_;
  std::vector<Entry> entries_;
};
