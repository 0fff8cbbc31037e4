#include "framework/planex/global_object_table.h"

#include "framework/planex/script_object.h"

GlobalObjectTable& GlobalObjectTable::Instance() {
  // Never destroyed: the entries are released by Clear while the objects'
  // libraries are still loaded, not during the process's exit.
  static GlobalObjectTable* table = new GlobalObjectTable();
  return *table;
}

void GlobalObjectTable::Add(framework::Object* given, ScriptObject* script) {
  given->AddRef();
  script->AddRef();
  std::lock_guard<std::mutex> lock(mutex_);
  entries_.push_back({given, script});
}

std::vector<GlobalObjectTable::Entry> GlobalObjectTable::From(size_t from) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (from >= entries_.size()) return {};
  return std::vector<Entry>(entries_.begin() + static_cast<std::ptrdiff_t>(from), entries_.end());
}

void GlobalObjectTable::Clear() {
  std::vector<Entry> entries;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    entries.swap(entries_);
  }
  for (const Entry& entry : entries) {
    entry.script->Release();
    entry.given->Release();
  }
}
