#include "framework/planex/value_object.h"

#include <new>

namespace {

// Members nested deeper than this are not copied: a value of another
// implementation that contains itself must not recurse without end.
constexpr int kDeepestCopy = 64;

}  // namespace

ValueObject* ValueObject::Create() {
  ValueObject* value = new (std::nothrow) ValueObject();
  if (value != nullptr) value->AddRef();
  return value;
}

ValueObject* ValueObject::CopyOf(framework::Value* source) { return CopyAt(source, 0); }

ValueObject* ValueObject::CopyAt(framework::Value* source, int depth) {
  ValueObject* copy = Create();
  if (copy == nullptr || source == nullptr) return copy;
  copy->SetName(source->GetName());
  copy->SetText(source->GetText());
  uint32_t count = depth < kDeepestCopy ? source->GetMemberCount() : 0;
  for (uint32_t i = 0; i < count; ++i) {
    framework::Value* member = source->GetMemberAt(i);
    if (member == nullptr) continue;
    ValueObject* memberCopy = CopyAt(member, depth + 1);
    if (memberCopy == nullptr) {
      copy->Release();
      return nullptr;
    }
    copy->members_.push_back(memberCopy);
  }
  return copy;
}

ValueObject::~ValueObject() { ClearMembers(); }

void ValueObject::ClearMembers() {
  for (ValueObject* member : members_) member->Release();
  members_.clear();
}

int32_t ValueObject::QueryInterface(const framework::Guid& interfaceId, void** object,
                                    int32_t addReference) {
  return Answer(interfaceId, framework::kValueId, object, addReference);
}

int32_t ValueObject::SetText(const wchar_t* text) {
  text_ = text != nullptr ? text : L"";
  has_text_ = true;
  return framework::kOk;
}

int32_t ValueObject::SetFromObject(framework::Value* source) {
  if (source == nullptr) return framework::kFailed;
  if (source == this) return framework::kOk;
  ValueObject* copy = CopyOf(source);
  if (copy == nullptr) return framework::kFailed;
  ClearMembers();
  text_ = copy->text_;
  members_.swap(copy->members_);
  has_text_ = true;
  copy->Release();
  return framework::kOk;
}

int32_t ValueObject::SetName(const wchar_t* name) {
  name_ = name != nullptr ? name : L"";
  return framework::kOk;
}

int32_t ValueObject::AddTextMember(const wchar_t* name, const wchar_t* text) {
  ValueObject* member = Create();
  if (member == nullptr) return framework::kFailed;
  member->SetName(name);
  member->SetText(text);
  members_.push_back(member);
  return framework::kOk;
}

int32_t ValueObject::AddMember(const wchar_t* name, framework::Value* member) {
  if (member == nullptr) return framework::kFailed;
  ValueObject* copy = CopyOf(member);
  if (copy == nullptr) return framework::kFailed;
  copy->SetName(name);
  members_.push_back(copy);
  return framework::kOk;
}

uint32_t ValueObject::GetMemberCount() { return static_cast<uint32_t>(members_.size()); }

framework::Value* ValueObject::GetMemberAt(uint32_t index) {
  return index < members_.size() ? members_[index] : nullptr;
}
