// An archive double holding its entries in memory, for code that reads
// entries through the framework's archive interface.
#pragma once

#include <atomic>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "framework/interfaces.h"

class MemoryArchive final : public framework::Archive {
 public:
  void Add(const std::string& name, const std::vector<uint8_t>& bytes) { entries_[name] = bytes; }

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t addReference) override {
    if (id != framework::kArchiveId) {
      *object = nullptr;
      return framework::kNoInterface;
    }
    *object = static_cast<framework::Archive*>(this);
    if (addReference) AddRef();
    return framework::kOk;
  }
  // Lives on the test's stack: the count shows balance only.
  int32_t FRAMEWORK_CALL AddRef() override { return ++references; }
  int32_t FRAMEWORK_CALL Release() override { return --references; }

  int32_t FRAMEWORK_CALL GetEntryInfo(const char* name,
                                      framework::ArchiveEntryInfo* info) override {
    auto found = entries_.find(name);
    if (found == entries_.end()) return 0;
    info_name_ = found->first;
    *info = {static_cast<uint32_t>(found->second.size()), 0,
             static_cast<uint32_t>(found->second.size()), info_name_.c_str()};
    return 1;
  }
  uint32_t FRAMEWORK_CALL ReadEntry(const char* name, uint8_t** buffer) override {
    *buffer = nullptr;
    auto found = entries_.find(name);
    if (found == entries_.end() || found->second.empty()) return 0;
    *buffer = new (std::nothrow) uint8_t[found->second.size()];
    if (*buffer == nullptr) return 0;
    std::copy(found->second.begin(), found->second.end(), *buffer);
    ++open_buffers;
    return static_cast<uint32_t>(found->second.size());
  }
  void FRAMEWORK_CALL FreeBuffer(uint8_t* buffer) override {
    if (buffer != nullptr) --open_buffers;
    delete[] buffer;
  }
  void FRAMEWORK_CALL GetName(const wchar_t** name) override { *name = L""; }
  void FRAMEWORK_CALL SetName(const wchar_t*) override {}
  int32_t FRAMEWORK_CALL OpenStream(const ::DataStream*) override { return 0; }
  int32_t FRAMEWORK_CALL OpenFileW(const wchar_t*) override { return 0; }
  int32_t FRAMEWORK_CALL OpenFileA(const char*) override { return 0; }
  int32_t FRAMEWORK_CALL Close() override { return 0; }
  uint32_t FRAMEWORK_CALL GetEntryCount() override {
    return static_cast<uint32_t>(entries_.size());
  }
  int32_t FRAMEWORK_CALL GetEntryInfoAt(uint32_t, framework::ArchiveEntryInfo*) override {
    return 0;
  }
  uint32_t FRAMEWORK_CALL ReadEntryAt(uint32_t, uint8_t** buffer) override {
    *buffer = nullptr;
    return 0;
  }

  std::atomic<int32_t> references{0};
  int open_buffers = 0;

 private:
  std::map<std::string, std::vector<uint8_t>> entries_;
  std::string info_name_;
};
