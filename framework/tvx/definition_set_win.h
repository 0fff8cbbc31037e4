// tvx's interface definition set: the markup loaded from the archive, and
// (through its window-definitions interface) the windows built from it.
#pragma once

#include <atomic>
#include <string>

#include "framework/interfaces.h"
#include "framework/tvx/markup_window.h"

namespace tvx {

class DefinitionSet final : public framework::InterfaceDefinitionSet,
                            public framework::WindowDefinitions {
 public:
  // One reference for the caller, or null.
  static DefinitionSet* Create();

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddRef() override;
  int32_t FRAMEWORK_CALL Release() override;

  // A missing entry leaves the error text empty; markup that does not read
  // leaves the parser's error text.
  int32_t FRAMEWORK_CALL Load(framework::Archive* archive, const char* entryName,
                              const framework::WindowSettings* settings, wchar_t* errorText,
                              uint32_t errorTextCapacity) override;

  int32_t FRAMEWORK_CALL CreateWindowFromDefinition(const framework::Guid& windowTypeId,
                                                    const wchar_t* name,
                                                    const wchar_t* instanceName,
                                                    framework::Object** window) override;

  static constexpr const wchar_t* kTvxWindowType = L"WID_TVX_WINDOW";

 private:
  DefinitionSet() = default;
  ~DefinitionSet();

  std::atomic<int32_t> references_{1};
  Markup markup_;
  bool loaded_ = false;
  framework::Archive* archive_ = nullptr;
  std::wstring font_face_ = L"tahoma";
  int font_size_ = 12;
};

}  // namespace tvx
