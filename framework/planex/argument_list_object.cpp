#include "framework/planex/argument_list_object.h"

#include <new>

#include "framework/planex/value_object.h"

ArgumentListObject* ArgumentListObject::Create() {
  ArgumentListObject* list = new (std::nothrow) ArgumentListObject();
  if (list != nullptr) list->AddRef();
  return list;
}

ArgumentListObject* ArgumentListObject::CopyOf(framework::ArgumentList* source) {
  ArgumentListObject* list = Create();
  if (list == nullptr || source == nullptr) return list;
  uint32_t count = source->GetCount();
  for (uint32_t i = 0; i < count; ++i) {
    ValueObject* copy = ValueObject::CopyOf(source->GetAt(i));
    if (copy == nullptr) {
      list->Release();
      return nullptr;
    }
    list->Append(copy);
    copy->Release();
  }
  return list;
}

ArgumentListObject::~ArgumentListObject() {
  for (framework::Value* value : values_) value->Release();
}

int32_t ArgumentListObject::QueryInterface(const framework::Guid& interfaceId, void** object,
                                           int32_t addReference) {
  return Answer(interfaceId, framework::kArgumentListId, object, addReference);
}

int32_t ArgumentListObject::Append(framework::Value* value) {
  if (value == nullptr) return framework::kFailed;
  value->AddRef();
  values_.push_back(value);
  return framework::kOk;
}

uint32_t ArgumentListObject::GetCount() { return static_cast<uint32_t>(values_.size()); }

framework::Value* ArgumentListObject::GetAt(uint32_t index) {
  return index < values_.size() ? values_[index] : nullptr;
}
