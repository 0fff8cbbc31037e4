// The framework's XML document over pugixml. Its element objects hold a
// reference to it, so the document lives as long as any of them. Loading
// again invalidates the element objects handed out before (their calls then
// fail) instead of leaving them pointing at freed nodes.
#pragma once

#include <pugixml.hpp>

#include <atomic>
#include <cstdint>

#include "framework/interfaces.h"

class XmlDocumentObject final : public framework::XmlDocument {
 public:
  XmlDocumentObject() = default;
  XmlDocumentObject(const XmlDocumentObject&) = delete;
  XmlDocumentObject& operator=(const XmlDocumentObject&) = delete;

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddRef() override;
  int32_t FRAMEWORK_CALL Release() override;

  int32_t FRAMEWORK_CALL LoadFromStream(framework::ByteStream* stream) override;
  int32_t FRAMEWORK_CALL SaveToStream(framework::ByteStream* stream) override;
  int32_t FRAMEWORK_CALL GetDocumentElement(framework::XmlElement** element) override;

  // Loads from memory; the same rules as LoadFromStream.
  int32_t LoadFromBytes(const void* bytes, size_t size);

  // Counts loads: element objects compare it with the one they were made in.
  uint32_t generation() const { return generation_; }

 private:
  ~XmlDocumentObject() = default;

  pugi::xml_document document_;
  uint32_t generation_ = 0;
  std::atomic<int32_t> references_{0};
};
