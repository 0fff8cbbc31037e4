// A stand-in for oxu.dll: exports DLLAttach and (unless built without it)
// TCreateInstance, whose one class is a registrar. Every call it receives is
// appended to the process environment variable FAKE_OXU_LOG, which outlives
// the library, so tests can see what happened before it was unloaded.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <new>

#include "framework/interfaces.h"

namespace {

void Log(const char* event) {
  char previous[2048] = "";
  DWORD length = GetEnvironmentVariableA("FAKE_OXU_LOG", previous, sizeof(previous));
  if (length >= sizeof(previous)) previous[0] = '\0';
  char next[2200];
  std::snprintf(next, sizeof(next), "%s%s;", previous, event);
  SetEnvironmentVariableA("FAKE_OXU_LOG", next);
}

bool initialized = false;

class FakeRegistrar final : public framework::Registrar {
 public:
  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t addReference) override {
    if (object == nullptr) return framework::kFailed;
    if (id != framework::kRegistrarId) {
      *object = nullptr;
      return framework::kNoInterface;
    }
    *object = static_cast<framework::Registrar*>(this);
    if (addReference) AddRef();
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL AddRef() override { return ++count_; }
  int32_t FRAMEWORK_CALL Release() override {
    int32_t left = --count_;
    if (left == 0) {
      Log("registrar deleted");
      delete this;
    }
    return left;
  }
  // Refuses libraries whose path mentions "refused".
  int32_t FRAMEWORK_CALL Register(int32_t, const wchar_t* path, int32_t, const wchar_t*) override {
    Log("register");
    return path != nullptr && std::wcsstr(path, L"refused") != nullptr ? 1 : 0;
  }
  int32_t FRAMEWORK_CALL Initialize() override {
    Log("initialize");
    if (initialized) return 0;
    initialized = true;
    return 1;
  }
  int32_t FRAMEWORK_CALL Shutdown() override {
    Log("shutdown");
    initialized = false;
    return 0;
  }

 private:
  std::atomic<int32_t> count_{0};
};

}  // namespace

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL DLLAttach(int32_t reason) {
  Log(reason == framework::kAttachLoaded ? "attach" : "detach");
#ifdef FAKE_OXU_REFUSES_ATTACH
  if (reason == framework::kAttachLoaded) return 0;
#endif
  return 1;
}

#ifndef FAKE_OXU_NO_FACTORY
extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL
    TCreateInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                    void** object, framework::Object* /*outer*/) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (classId == nullptr || interfaceId == nullptr || *classId != framework::kRegistrarClassId) {
    return framework::kFailed;
  }
  FakeRegistrar* registrar = new (std::nothrow) FakeRegistrar();
  if (registrar == nullptr) return framework::kFailed;
  registrar->AddRef();
  int32_t result = registrar->QueryInterface(*interfaceId, object, 1);
  registrar->Release();
  Log("created");
  return result;
}
#endif
