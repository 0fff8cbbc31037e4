// planex's Value: a wide text, a name and ordered members (themselves
// values). Scripts see a value with members as an array of them, one
// without as its text.
#pragma once

#include <string>
#include <vector>

#include "framework/planex/counted_object.h"

class ValueObject final : public CountedObject<framework::Value> {
 public:
  // A new value holding one reference, or null when out of memory.
  static ValueObject* Create();
  // A deep copy of any Value (its name included), holding one reference.
  static ValueObject* CopyOf(framework::Value* source);

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;

  int32_t FRAMEWORK_CALL SetText(const wchar_t* text) override;
  int32_t FRAMEWORK_CALL SetFromObject(framework::Value* source) override;
  const wchar_t* FRAMEWORK_CALL GetText() override { return text_.c_str(); }
  int32_t FRAMEWORK_CALL SetName(const wchar_t* name) override;
  const wchar_t* FRAMEWORK_CALL GetName() override { return name_.c_str(); }
  int32_t FRAMEWORK_CALL AddTextMember(const wchar_t* name, const wchar_t* text) override;
  int32_t FRAMEWORK_CALL AddMember(const wchar_t* name, framework::Value* member) override;
  uint32_t FRAMEWORK_CALL GetMemberCount() override;
  framework::Value* FRAMEWORK_CALL GetMemberAt(uint32_t index) override;

  // Whether SetText or SetFromObject was called: a method's result holder
  // that stayed untouched gives the script `undefined`.
  bool has_text() const { return has_text_; }

 private:
  ValueObject() = default;
  ~ValueObject() override;
  static ValueObject* CopyAt(framework::Value* source, int depth);
  void ClearMembers();

  std::wstring text_;
  std::wstring name_;
  bool has_text_ = false;
  std::vector<ValueObject*> members_;
};
