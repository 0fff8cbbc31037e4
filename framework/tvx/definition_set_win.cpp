#include "framework/tvx/definition_set_win.h"

#include <new>

#include "framework/common/utf8_text.h"
#include "framework/tvx/markup_parser.h"
#include "framework/tvx/tvx_module_win.h"
#include "framework/tvx/tvx_window_win.h"

namespace tvx {

namespace {

void CopyError(const std::wstring& text, wchar_t* errorText, uint32_t capacity) {
  if (errorText == nullptr || capacity == 0) return;
  const size_t count = text.size() < capacity - 1 ? text.size() : capacity - 1;
  text.copy(errorText, count);
  errorText[count] = L'\0';
}

}  // namespace

DefinitionSet* DefinitionSet::Create() { return new (std::nothrow) DefinitionSet(); }

DefinitionSet::~DefinitionSet() {
  if (archive_ != nullptr) archive_->Release();
}

int32_t DefinitionSet::QueryInterface(const framework::Guid& interfaceId, void** object,
                                      int32_t addReference) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (interfaceId == framework::kInterfaceDefinitionSetId) {
    *object = static_cast<framework::InterfaceDefinitionSet*>(this);
  } else if (interfaceId == framework::kWindowDefinitionsId) {
    *object = static_cast<framework::WindowDefinitions*>(this);
  } else {
    return framework::kNoInterface;
  }
  if (addReference) AddRef();
  return framework::kOk;
}

int32_t DefinitionSet::AddRef() { return ++references_; }

int32_t DefinitionSet::Release() {
  const int32_t left = --references_;
  if (left == 0) delete this;
  return left;
}

int32_t DefinitionSet::Load(framework::Archive* archive, const char* entryName,
                            const framework::WindowSettings* settings, wchar_t* errorText,
                            uint32_t errorTextCapacity) {
  CopyError(std::wstring(), errorText, errorTextCapacity);
  if (archive == nullptr || entryName == nullptr) return framework::kFailed;
  uint8_t* bytes = nullptr;
  const uint32_t size = archive->ReadEntry(entryName, &bytes);
  if (size == 0 || bytes == nullptr) {
    archive->FreeBuffer(bytes);
    return framework::kFailed;
  }
  MarkupParser parser(
      framework_text::WideFromUtf8(entryName, std::char_traits<char>::length(entryName)));
  Markup markup;
  const bool parsed = parser.Parse(reinterpret_cast<const char*>(bytes), size, &markup);
  archive->FreeBuffer(bytes);
  if (!parsed) {
    CopyError(parser.error(), errorText, errorTextCapacity);
    return framework::kFailed;
  }
  markup_ = std::move(markup);
  loaded_ = true;
  archive->AddRef();
  if (archive_ != nullptr) archive_->Release();
  archive_ = archive;
  if (settings != nullptr) {
    if (settings->font_face != nullptr && settings->font_face[0] != L'\0') {
      font_face_ = settings->font_face;
    }
    if (settings->font_size > 0 && settings->font_size < 200) font_size_ = settings->font_size;
  }
  return framework::kOk;
}

int32_t DefinitionSet::CreateWindowFromDefinition(const framework::Guid& windowTypeId,
                                                  const wchar_t* name, const wchar_t*,
                                                  framework::Object** window) {
  if (window == nullptr) return framework::kFailed;
  *window = nullptr;
  if (!loaded_ || name == nullptr) return framework::kNoSuchWindow;
  const MarkupWindow* markup = markup_.FindWindowNamed(name);
  if (markup == nullptr) return framework::kNoSuchWindow;
  if (windowTypeId != framework::kTvxWindowTypeId || markup->type != kTvxWindowType) {
    return framework::kWindowTypeUnavailable;
  }
  TvxWindow* made =
      TvxWindow::Create(*markup, {font_face_, font_size_}, archive_, TvxModule::Factory());
  if (made == nullptr) return framework::kFailed;
  *window = made;
  return framework::kOk;
}

}  // namespace tvx
