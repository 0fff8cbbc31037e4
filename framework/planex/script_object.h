// planex's script object: a name, flags, a description and the methods a
// script can call, each sent to its dispatcher. Made with or without an
// outer object; it never delegates to the outer nor holds a reference to it
// (framework/interfaces.h).
#pragma once

#include <string>
#include <vector>

#include "framework/planex/counted_object.h"

// Answered only by planex's own script objects: the object behind an
// interface pointer, for the engine and the contexts of this library.
// {E0B7A3C9-52D4-4F1B-8C6E-91A4D3F70B28}
inline constexpr framework::Guid kScriptObjectImplementationId = {
    0xE0B7A3C9, 0x52D4, 0x4F1B, {0x8C, 0x6E, 0x91, 0xA4, 0xD3, 0xF7, 0x0B, 0x28}};

struct ScriptMethod {
  std::wstring name;
  framework::ScriptDispatcher dispatcher;
  framework::Object* script_object;
  framework::Object* context;
  int32_t id;
};

class ScriptObject final : public CountedObject<framework::ScriptObjectInterface> {
 public:
  // A new script object holding one reference, or null when out of memory.
  static ScriptObject* Create();
  // The planex script object behind object (asked directly, then through
  // its script object interface); borrowed, null when there is none.
  static ScriptObject* From(framework::Object* object);

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;

  int32_t FRAMEWORK_CALL SetName(const wchar_t* name) override;
  int32_t FRAMEWORK_CALL SetFlags(uint32_t flags) override;
  int32_t FRAMEWORK_CALL SetDescription(const wchar_t* description) override;
  int32_t FRAMEWORK_CALL AddMethod(const wchar_t* name, framework::ScriptDispatcher dispatcher,
                                   framework::Object* scriptObject, framework::Object* context,
                                   int32_t methodId) override;
  int32_t FRAMEWORK_CALL SetFirstOption(int32_t value) override;
  int32_t FRAMEWORK_CALL SetSecondOption(int32_t value) override;

  const std::wstring& name() const { return name_; }
  const std::wstring& description() const { return description_; }
  uint32_t flags() const { return flags_; }
  const std::vector<ScriptMethod>& methods() const { return methods_; }

 private:
  ScriptObject() = default;
  ~ScriptObject() override = default;

  std::wstring name_;
  std::wstring description_;
  uint32_t flags_ = 0;
  int32_t first_option_ = 0;
  int32_t second_option_ = 0;
  std::vector<ScriptMethod> methods_;
};
