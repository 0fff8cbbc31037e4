// A working stand-in for the framework's XML document and its elements over
// pugixml, for installer code that loads, changes and saves XML through the
// framework's interfaces: element and attribute names, and the attribute
// values lookups compare, match ignoring case; attribute values are wide text, the document element
// is the document node (its children are the top-level elements), and a save writes through the
// stream in small pieces, as a streaming writer does, without reporting short writes. Objects count
// their references; LiveObjects() shows that all came back.
#pragma once

#include <pugixml.hpp>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "framework/interfaces.h"
#include "setup/framework_factory.h"

namespace payload_test {

inline std::atomic<int>& LiveXmlObjects() {
  static std::atomic<int> live{0};
  return live;
}

inline bool SameNameIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    const char x = (*a >= 'A' && *a <= 'Z') ? char(*a - 'A' + 'a') : *a;
    const char y = (*b >= 'A' && *b <= 'Z') ? char(*b - 'A' + 'a') : *b;
    if (x != y) return false;
  }
  return *a == *b;
}

class XmlNodeDouble final : public framework::XmlElement {
 public:
  explicit XmlNodeDouble(pugi::xml_node node) : node_(node) { ++LiveXmlObjects(); }

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t add) override {
    if (id != framework::kXmlElementId) return framework::kNoInterface;
    *object = static_cast<framework::XmlElement*>(this);
    if (add) AddRef();
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL AddRef() override { return ++references_; }
  int32_t FRAMEWORK_CALL Release() override {
    const int32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }

  int32_t FRAMEWORK_CALL CountChildren(const char* name) override {
    int32_t count = 0;
    for (pugi::xml_node child : node_.children()) count += Matches(child, name) ? 1 : 0;
    return count;
  }
  int32_t FRAMEWORK_CALL CountChildrenWithAttribute(const char* name, const char* attribute,
                                                    const wchar_t* value) override {
    int32_t count = 0;
    for (pugi::xml_node child : node_.children()) {
      count += Matches(child, name) && HasValue(child, attribute, value) ? 1 : 0;
    }
    return count;
  }
  int32_t FRAMEWORK_CALL GetChildWithAttribute(const char* name, const char* attribute,
                                               const wchar_t* value, int32_t index,
                                               framework::XmlElement** child) override {
    for (pugi::xml_node candidate : node_.children()) {
      if (Matches(candidate, name) && HasValue(candidate, attribute, value) && index-- == 0) {
        return Give(candidate, child);
      }
    }
    *child = nullptr;
    return framework::kFailed;
  }
  int32_t FRAMEWORK_CALL GetChild(const char* name, int32_t index,
                                  framework::XmlElement** child) override {
    for (pugi::xml_node candidate : node_.children()) {
      if (Matches(candidate, name) && index-- == 0) return Give(candidate, child);
    }
    *child = nullptr;
    return framework::kFailed;
  }
  int32_t FRAMEWORK_CALL AppendChild(const char* name, framework::XmlElement** child) override {
    pugi::xml_node added = node_.append_child(name);
    if (!added) return framework::kFailed;
    return Give(added, child);
  }
  int32_t FRAMEWORK_CALL HasAttribute(const char* name) override {
    return Attribute(node_, name) ? 1 : 0;
  }
  int32_t FRAMEWORK_CALL SetAttribute(const char* name, const wchar_t* value) override {
    if (node_.type() != pugi::node_element) return framework::kFailed;
    pugi::xml_attribute attribute = Attribute(node_, name);
    if (!attribute) attribute = node_.append_attribute(name);
    return attribute.set_value(pugi::as_utf8(value).c_str()) ? framework::kOk : framework::kFailed;
  }
  int32_t FRAMEWORK_CALL RemoveAttribute(const char* name) override {
    return node_.remove_attribute(Attribute(node_, name)) ? framework::kOk : framework::kFailed;
  }
  const wchar_t* FRAMEWORK_CALL GetAttributeText(const char* name) override {
    pugi::xml_attribute attribute = Attribute(node_, name);
    if (!attribute) return nullptr;
    texts_.push_back(pugi::as_wide(attribute.value()));
    return texts_.back().c_str();
  }
  int32_t FRAMEWORK_CALL GetAttributeInt(const char* name) override {
    return Attribute(node_, name).as_int(0);
  }
  int32_t FRAMEWORK_CALL GetAttributeBool(const char* name, int32_t value) override {
    pugi::xml_attribute attribute = Attribute(node_, name);
    return attribute ? (attribute.as_bool() ? 1 : 0) : value;
  }

 private:
  ~XmlNodeDouble() { --LiveXmlObjects(); }

  static bool Matches(pugi::xml_node node, const char* name) {
    return node.type() == pugi::node_element && (!name || SameNameIgnoringCase(node.name(), name));
  }
  static pugi::xml_attribute Attribute(pugi::xml_node node, const char* name) {
    for (pugi::xml_attribute attribute : node.attributes()) {
      if (SameNameIgnoringCase(attribute.name(), name)) return attribute;
    }
    return pugi::xml_attribute();
  }
  static bool HasValue(pugi::xml_node node, const char* attribute, const wchar_t* value) {
    pugi::xml_attribute found = Attribute(node, attribute);
    return found && SameNameIgnoringCase(found.value(), pugi::as_utf8(value ? value : L"").c_str());
  }
  static int32_t Give(pugi::xml_node node, framework::XmlElement** child) {
    auto* element = new XmlNodeDouble(node);
    element->AddRef();
    *child = element;
    return framework::kOk;
  }

  pugi::xml_node node_;
  std::atomic<int32_t> references_{0};
  std::vector<std::wstring> texts_;  // kept for the element's life
};

class XmlDocumentDouble final : public framework::XmlDocument {
 public:
  static constexpr uint32_t kWritePiece = 64;

  XmlDocumentDouble() { ++LiveXmlObjects(); }

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t add) override {
    if (id != framework::kXmlDocumentId) return framework::kNoInterface;
    *object = static_cast<framework::XmlDocument*>(this);
    if (add) AddRef();
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL AddRef() override { return ++references_; }
  int32_t FRAMEWORK_CALL Release() override {
    const int32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }

  int32_t FRAMEWORK_CALL LoadFromStream(framework::ByteStream* stream) override {
    std::string text;
    char piece[512];
    for (uint32_t got; (got = stream->Read(piece, sizeof piece)) > 0;) text.append(piece, got);
    document_.reset();
    if (text.empty()) return framework::kOk;
    return document_.load_buffer(text.data(), text.size()) ? framework::kOk : framework::kFailed;
  }
  int32_t FRAMEWORK_CALL SaveToStream(framework::ByteStream* stream) override {
    StringWriter writer;
    document_.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
    for (size_t at = 0; at < writer.text.size(); at += kWritePiece) {
      const size_t size = std::min<size_t>(kWritePiece, writer.text.size() - at);
      stream->Write(writer.text.data() + at, uint32_t(size));  // result not looked at
    }
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL GetDocumentElement(framework::XmlElement** element) override {
    auto* node = new XmlNodeDouble(document_);
    node->AddRef();
    *element = node;
    return framework::kOk;
  }

 private:
  struct StringWriter : pugi::xml_writer {
    void write(const void* data, size_t size) override {
      text.append(static_cast<const char*>(data), size);
    }
    std::string text;
  };
  ~XmlDocumentDouble() { --LiveXmlObjects(); }

  pugi::xml_document document_;
  std::atomic<int32_t> references_{0};
};

// A factory that makes XML documents only (or nothing, when switched off).
class XmlFactoryDouble final : public FrameworkFactory {
 public:
  int32_t CreateInstance(const framework::Guid& classId, const framework::Guid& interfaceId,
                         void** object, framework::Object*) override {
    *object = nullptr;
    if (!works || classId != framework::kXmlDocumentClassId) return framework::kFailed;
    auto* document = new XmlDocumentDouble;
    document->AddRef();
    const int32_t result = document->QueryInterface(interfaceId, object, 1);
    document->Release();
    return result;
  }
  bool works = true;
};

}  // namespace payload_test
