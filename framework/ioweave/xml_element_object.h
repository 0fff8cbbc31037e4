// One element (or the document node) of an XmlDocumentObject, as handed out
// to callers: a counted object over a pugixml node that holds a reference to
// its document.
#pragma once

#include <pugixml.hpp>

#include <atomic>
#include <map>
#include <string>

#include "framework/interfaces.h"

class XmlDocumentObject;

class XmlElementObject final : public framework::XmlElement {
 public:
  // A new object with one reference, or null when out of memory.
  static framework::XmlElement* Create(XmlDocumentObject* document, pugi::xml_node node);

  XmlElementObject(const XmlElementObject&) = delete;
  XmlElementObject& operator=(const XmlElementObject&) = delete;

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddRef() override;
  int32_t FRAMEWORK_CALL Release() override;

  int32_t FRAMEWORK_CALL CountChildren(const char* name) override;
  int32_t FRAMEWORK_CALL CountChildrenWithAttribute(const char* name, const char* attribute,
                                                    const wchar_t* value) override;
  int32_t FRAMEWORK_CALL GetChildWithAttribute(const char* name, const char* attribute,
                                               const wchar_t* value, int32_t index,
                                               framework::XmlElement** child) override;
  int32_t FRAMEWORK_CALL GetChild(const char* name, int32_t index,
                                  framework::XmlElement** child) override;
  int32_t FRAMEWORK_CALL AppendChild(const char* name, framework::XmlElement** child) override;
  int32_t FRAMEWORK_CALL HasAttribute(const char* name) override;
  int32_t FRAMEWORK_CALL SetAttribute(const char* name, const wchar_t* value) override;
  int32_t FRAMEWORK_CALL RemoveAttribute(const char* name) override;
  const wchar_t* FRAMEWORK_CALL GetAttributeText(const char* name) override;
  int32_t FRAMEWORK_CALL GetAttributeInt(const char* name) override;
  int32_t FRAMEWORK_CALL GetAttributeBool(const char* name, int32_t defaultValue) override;

 private:
  XmlElementObject(XmlDocumentObject* document, pugi::xml_node node);
  ~XmlElementObject();

  // The node while the document has not been loaded again since; else empty.
  pugi::xml_node Node() const;
  pugi::xml_attribute Attribute(const char* name) const;
  // The index-th element child of that name (and attribute value, when an
  // attribute is given).
  pugi::xml_node FindChild(const char* name, const char* attribute, const wchar_t* value,
                           int32_t index, int32_t* count) const;
  int32_t HandOut(pugi::xml_node node, framework::XmlElement** child);
  static std::string CacheKey(const char* name);

  XmlDocumentObject* document_;
  pugi::xml_node node_;
  uint32_t generation_;
  std::map<std::string, std::wstring> texts_;
  std::atomic<int32_t> references_{1};
};
