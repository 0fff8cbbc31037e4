// In-memory doubles of the framework objects the installer's main flow talks
// to, and a message sink that records what would have been shown. Every
// double counts its references so tests can check nothing is leaked.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "framework/interfaces.h"
#include "setup/message_sink.h"

struct ShownMessage {
  std::string text;
  std::string caption;
  bool wide;
};

inline std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text != nullptr && *text != L'\0'; ++text) out += static_cast<char>(*text);
  return out;
}

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(const char* text, const char* caption) override {
    shown.push_back({text, caption, false});
  }
  void ShowWideMessage(const wchar_t* text, const wchar_t* caption) override {
    shown.push_back({Narrow(text), Narrow(caption), true});
  }
  std::vector<ShownMessage> shown;
};

// Reference counting shared by the doubles. They live on the test's stack, so
// the count only shows balance; it never deletes.
template <typename Interface>
class Counted : public Interface {
 public:
  Counted(const framework::Guid& id) : id_(id) {}
  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t addReference) override {
    if (id != id_) {
      *object = nullptr;
      return framework::kNoInterface;
    }
    *object = static_cast<Interface*>(this);
    if (addReference) AddRef();
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL AddRef() override { return ++references; }
  int32_t FRAMEWORK_CALL Release() override { return --references; }
  std::atomic<int32_t> references{0};

 private:
  framework::Guid id_;
};

class FakeWindow : public Counted<framework::Object> {
 public:
  FakeWindow() : Counted(framework::kValueId) {}
};

class FakeArgumentList : public Counted<framework::ArgumentList> {
 public:
  FakeArgumentList() : Counted(framework::kArgumentListId) {}
  int32_t FRAMEWORK_CALL Append(framework::Value*) override { return framework::kOk; }
  uint32_t FRAMEWORK_CALL GetCount() override { return 0; }
  framework::Value* FRAMEWORK_CALL GetAt(uint32_t) override { return nullptr; }
};

class FakeWindowDefinitions : public Counted<framework::WindowDefinitions> {
 public:
  FakeWindowDefinitions() : Counted(framework::kWindowDefinitionsId) {}
  int32_t FRAMEWORK_CALL CreateWindowFromDefinition(const framework::Guid& type,
                                                    const wchar_t* name, const wchar_t*,
                                                    framework::Object** window) override {
    requested_type = type;
    requested_name = Narrow(name);
    *window = nullptr;
    if (window_to_give != nullptr) {
      window_to_give->AddRef();
      *window = window_to_give;
    }
    return result;
  }
  int32_t result = framework::kOk;
  framework::Object* window_to_give = nullptr;
  framework::Guid requested_type = {};
  std::string requested_name;
};

class FakeDefinitionSet : public Counted<framework::InterfaceDefinitionSet> {
 public:
  FakeDefinitionSet() : Counted(framework::kInterfaceDefinitionSetId) {}
  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t addReference) override {
    if (id == framework::kWindowDefinitionsId && windows != nullptr) {
      return windows->QueryInterface(id, object, addReference);
    }
    return Counted::QueryInterface(id, object, addReference);
  }
  int32_t FRAMEWORK_CALL Load(framework::Archive* archive, const char* entry,
                              const framework::WindowSettings* settings, wchar_t* error,
                              uint32_t capacity) override {
    loaded_archive = archive;
    loaded_entry = entry;
    font_face = Narrow(settings->font_face);
    font_size = settings->font_size;
    flags = {settings->first_flag, settings->second_flag};
    language = Narrow(settings->language);
    if (capacity > error_text.size()) {
      for (size_t i = 0; i <= error_text.size(); ++i) error[i] = error_text.c_str()[i];
    }
    return load_result;
  }
  FakeWindowDefinitions* windows = nullptr;
  int32_t load_result = framework::kOk;
  std::wstring error_text;
  framework::Archive* loaded_archive = nullptr;
  std::string loaded_entry;
  std::string font_face;
  int32_t font_size = 0;
  std::vector<int32_t> flags;
  std::string language;
};

class FakeApplication : public Counted<framework::Application> {
 public:
  FakeApplication() : Counted(framework::kApplicationId) {}
  int32_t FRAMEWORK_CALL Initialize(framework::ArgumentList* arguments) override {
    calls +=
        "initialize(" + std::to_string(arguments != nullptr ? arguments->GetCount() : -1) + ");";
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL Run() override {
    calls += "run;";
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL Shutdown() override {
    calls += "shutdown;";
    return framework::kOk;
  }
  std::string calls;
};
