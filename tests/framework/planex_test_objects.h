// Helpers for the script tests: a container object like the installer's
// (answers its own id, asks its inner objects newest first for the rest and
// counts how often it is asked), and a recording dispatcher.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/interfaces.h"

// {11111111-2222-3333-4444-555555555555}, the container's own id.
inline constexpr framework::Guid kTestContainerId = {
    0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};

class TestContainer final : public framework::Object {
 public:
  TestContainer() = default;
  // A container on the heap deletes itself at 0 and sets *destroyed.
  explicit TestContainer(bool* destroyed) : destroyed_(destroyed) {}
  ~TestContainer() {
    if (destroyed_ != nullptr) *destroyed_ = true;
    for (framework::Object* inner : inner_) inner->Release();
  }
  // Takes over one reference of inner.
  void Hold(framework::Object* inner) { inner_.insert(inner_.begin(), inner); }

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t addReference) override {
    ++queries;
    // A query that comes back while one is running means an inner object
    // delegated to its outer: the recursion the framework must not do.
    if (asking_) ++recursions;
    if (id == kTestContainerId) {
      *object = this;
      if (addReference) AddRef();
      return framework::kOk;
    }
    asking_ = true;
    for (framework::Object* inner : inner_) {
      if (inner->QueryInterface(id, object, addReference) == framework::kOk) {
        asking_ = false;
        return framework::kOk;
      }
    }
    asking_ = false;
    *object = nullptr;
    return framework::kNoInterface;
  }
  int32_t FRAMEWORK_CALL AddRef() override { return ++references; }
  int32_t FRAMEWORK_CALL Release() override {
    int32_t left = --references;
    if (left == 0 && destroyed_ != nullptr) delete this;
    return left;
  }

  std::atomic<int32_t> references{1};
  int queries = 0;
  int recursions = 0;

 private:
  bool* destroyed_ = nullptr;
  bool asking_ = false;
  std::vector<framework::Object*> inner_;
};

struct RecordedCall {
  int32_t method_id;
  std::vector<std::wstring> arguments;
  std::wstring caller;
  framework::Object* context;
  framework::ScriptContext* script_context;
  std::thread::id thread;
};

class CallRecorder {
 public:
  static CallRecorder& Instance() {
    static CallRecorder recorder;
    return recorder;
  }
  void Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.clear();
  }
  std::vector<RecordedCall> Calls() {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }
  void Add(const RecordedCall& call) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(call);
  }

 private:
  std::mutex mutex_;
  std::vector<RecordedCall> calls_;
};

// Records the call; method 1 answers "echo:<first argument>", method 2
// stores a result and fails, method 3 answers nothing, method 4 releases the
// calling script's context (as a listener being dropped does).
inline int32_t FRAMEWORK_CALL RecordingDispatcher(framework::ScriptCall* call) {
  RecordedCall recorded;
  recorded.method_id = call->method_id;
  for (uint32_t i = 0; i < call->arguments->GetCount(); ++i) {
    recorded.arguments.push_back(call->arguments->GetAt(i)->GetText());
  }
  recorded.caller = call->caller_name != nullptr ? call->caller_name : L"<null>";
  recorded.context = call->method_context;
  recorded.script_context = call->script_context;
  recorded.thread = std::this_thread::get_id();
  CallRecorder::Instance().Add(recorded);
  if (call->method_id == 1) {
    std::wstring answer = L"echo:";
    if (call->arguments->GetCount() > 0) answer += call->arguments->GetAt(0)->GetText();
    call->result->SetText(answer.c_str());
  }
  if (call->method_id == 4) call->script_context->Release();
  if (call->method_id == 2) {
    call->result->SetText(L"couldn't translate string");
    return framework::kScriptCallFailed;
  }
  return framework::kOk;
}
