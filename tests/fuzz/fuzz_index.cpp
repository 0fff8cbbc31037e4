// Fuzz target for the package walk: any bytes as the configuration "index",
// walked as an install-all run and as selections, with actions that only
// count. The walk must end (include cycles too), keep every progress
// fraction within 0..1 and hand the actions live elements.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/ioweave/ioweave_factory.h"
#include "setup/framework_factory.h"
#include "setup/package_walk.h"
#include "setup/variable_table.h"

namespace {

// The fuzz input as the archive's one entry "index".
class IndexArchive final : public framework::Archive {
 public:
  IndexArchive(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid&, void** object, int32_t) override {
    *object = nullptr;
    return framework::kNoInterface;
  }
  int32_t FRAMEWORK_CALL AddRef() override { return 1; }
  int32_t FRAMEWORK_CALL Release() override { return 1; }
  int32_t FRAMEWORK_CALL GetEntryInfo(const char*, framework::ArchiveEntryInfo*) override {
    return 0;
  }
  uint32_t FRAMEWORK_CALL ReadEntry(const char* name, uint8_t** buffer) override {
    *buffer = nullptr;
    if (std::strcmp(name, "index") != 0 || size_ == 0) return 0;
    *buffer = new (std::nothrow) uint8_t[size_];
    if (*buffer == nullptr) return 0;
    std::memcpy(*buffer, data_, size_);
    return static_cast<uint32_t>(size_);
  }
  void FRAMEWORK_CALL FreeBuffer(uint8_t* buffer) override { delete[] buffer; }
  void FRAMEWORK_CALL GetName(const wchar_t** name) override { *name = L""; }
  void FRAMEWORK_CALL SetName(const wchar_t*) override {}
  int32_t FRAMEWORK_CALL OpenStream(const ::DataStream*) override { return 0; }
  int32_t FRAMEWORK_CALL OpenFileW(const wchar_t*) override { return 0; }
  int32_t FRAMEWORK_CALL OpenFileA(const char*) override { return 0; }
  int32_t FRAMEWORK_CALL Close() override { return 1; }
  uint32_t FRAMEWORK_CALL GetEntryCount() override { return 1; }
  int32_t FRAMEWORK_CALL GetEntryInfoAt(uint32_t, framework::ArchiveEntryInfo*) override {
    return 0;
  }
  uint32_t FRAMEWORK_CALL ReadEntryAt(uint32_t, uint8_t** buffer) override {
    *buffer = nullptr;
    return 0;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

class IoweaveFactory final : public FrameworkFactory {
 public:
  int32_t CreateInstance(const framework::Guid& classId, const framework::Guid& interfaceId,
                         void** object, framework::Object* outer) override {
    return CreateIoweaveInstance(&classId, &interfaceId, object, outer);
  }
};

class CountingActions final : public PackageActions, public InstallProgress {
 public:
  void Delete(framework::XmlElement* e, const ActionLogs&) override { Touch(e); }
  void RunProcess(framework::XmlElement* e, const ActionLogs&) override { Touch(e); }
  void File(framework::XmlElement* e, const ActionLogs&) override { Touch(e); }
  void Font(framework::XmlElement* e, const ActionLogs&) override { Touch(e); }
  void Link(framework::XmlElement* e, const ActionLogs&) override { Touch(e); }
  void RegEntry(framework::XmlElement* e, const ActionLogs&) override { Touch(e); }
  void RegisterExtension(framework::XmlElement* e, const ActionLogs&) override { Touch(e); }
  void Report(double fraction) override {
    if (!(fraction >= 0.0 && fraction <= 1.0)) std::abort();
  }
  size_t actions = 0;

 private:
  void Touch(framework::XmlElement* element) {
    if (element == nullptr) std::abort();
    element->GetAttributeText("dest");
    ++actions;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  IndexArchive archive(data, size);
  IoweaveFactory factory;
  VariableTable variables;
  variables.SetVariable("instdir", "C:\\Apps");
  CountingActions actions;
  PackageWalk walk(&archive, factory, variables, actions, L"");
  walk.InstallAll(actions);
  walk.InstallSelected({"A", {"all"}}, actions);
  walk.InstallSelected({"designer", {"samples", "x"}}, actions);
  return 0;
}
