// planex's ArgumentList: values in order, each held with a reference.
#pragma once

#include <vector>

#include "framework/planex/counted_object.h"

class ArgumentListObject final : public CountedObject<framework::ArgumentList> {
 public:
  // A new list holding one reference, or null when out of memory.
  static ArgumentListObject* Create();
  // A list of deep copies of another list's values (null source: empty).
  static ArgumentListObject* CopyOf(framework::ArgumentList* source);

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL Append(framework::Value* value) override;
  uint32_t FRAMEWORK_CALL GetCount() override;
  framework::Value* FRAMEWORK_CALL GetAt(uint32_t index) override;

 private:
  ArgumentListObject() = default;
  ~ArgumentListObject() override;

  std::vector<framework::Value*> values_;
};
