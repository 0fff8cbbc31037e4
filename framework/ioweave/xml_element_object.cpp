#include "framework/ioweave/xml_element_object.h"

#include <new>

#include "framework/ioweave/xml_document_object.h"
#include "framework/ioweave/xml_text.h"

framework::XmlElement* XmlElementObject::Create(XmlDocumentObject* document, pugi::xml_node node) {
  return new (std::nothrow) XmlElementObject(document, node);
}

XmlElementObject::XmlElementObject(XmlDocumentObject* document, pugi::xml_node node)
    : document_(document), node_(node), generation_(document->generation()) {
  document_->AddRef();
}

XmlElementObject::~XmlElementObject() { document_->Release(); }

int32_t XmlElementObject::QueryInterface(const framework::Guid& interfaceId, void** object,
                                         int32_t addReference) {
  if (object == nullptr) return framework::kFailed;
  if (interfaceId != framework::kXmlElementId) {
    *object = nullptr;
    return framework::kNoInterface;
  }
  *object = static_cast<framework::XmlElement*>(this);
  if (addReference) AddRef();
  return framework::kOk;
}

int32_t XmlElementObject::AddRef() { return ++references_; }

int32_t XmlElementObject::Release() {
  int32_t left = --references_;
  if (left == 0) delete this;
  return left;
}

pugi::xml_node XmlElementObject::Node() const {
  return document_->generation() == generation_ ? node_ : pugi::xml_node();
}

pugi::xml_attribute XmlElementObject::Attribute(const char* name) const {
  if (name == nullptr) return pugi::xml_attribute();
  for (pugi::xml_attribute attribute : Node().attributes()) {
    if (xml_text::SameName(attribute.name(), name)) return attribute;
  }
  return pugi::xml_attribute();
}

pugi::xml_node XmlElementObject::FindChild(const char* name, const char* attribute,
                                           const wchar_t* value, int32_t index,
                                           int32_t* count) const {
  std::wstring wanted = value != nullptr ? std::wstring(value) : std::wstring();
  int32_t seen = 0;
  for (pugi::xml_node child : Node().children()) {
    if (child.type() != pugi::node_element || !xml_text::SameName(child.name(), name)) continue;
    if (attribute != nullptr) {
      pugi::xml_attribute found;
      for (pugi::xml_attribute candidate : child.attributes()) {
        if (xml_text::SameName(candidate.name(), attribute)) {
          found = candidate;
          break;
        }
      }
      if (!found) continue;
      if (value != nullptr &&
          !xml_text::SameWideIgnoringCase(xml_text::ToWide(found.value()), wanted)) {
        continue;
      }
    }
    if (seen == index) return child;
    ++seen;
  }
  if (count != nullptr) *count = seen;
  return pugi::xml_node();
}

int32_t XmlElementObject::HandOut(pugi::xml_node node, framework::XmlElement** child) {
  if (!node) return framework::kFailed;
  *child = Create(document_, node);
  return *child != nullptr ? framework::kOk : framework::kFailed;
}

std::string XmlElementObject::CacheKey(const char* name) {
  std::string key = name;
  for (char& c : key) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return key;
}

int32_t XmlElementObject::CountChildren(const char* name) {
  int32_t count = 0;
  FindChild(name, nullptr, nullptr, -1, &count);
  return count;
}

int32_t XmlElementObject::CountChildrenWithAttribute(const char* name, const char* attribute,
                                                     const wchar_t* value) {
  if (attribute == nullptr) return framework::kFailed;
  int32_t count = 0;
  FindChild(name, attribute, value, -1, &count);
  return count;
}

int32_t XmlElementObject::GetChildWithAttribute(const char* name, const char* attribute,
                                                const wchar_t* value, int32_t index,
                                                framework::XmlElement** child) {
  if (child == nullptr) return framework::kFailed;
  *child = nullptr;
  if (attribute == nullptr || index < 0) return framework::kFailed;
  return HandOut(FindChild(name, attribute, value, index, nullptr), child);
}

int32_t XmlElementObject::GetChild(const char* name, int32_t index, framework::XmlElement** child) {
  if (child == nullptr) return framework::kFailed;
  *child = nullptr;
  if (index < 0) return framework::kFailed;
  return HandOut(FindChild(name, nullptr, nullptr, index, nullptr), child);
}

int32_t XmlElementObject::AppendChild(const char* name, framework::XmlElement** child) {
  if (child != nullptr) *child = nullptr;
  pugi::xml_node node = Node();
  if (!node || !xml_text::IsValidName(name)) return framework::kFailed;
  pugi::xml_node appended = node.append_child(name);
  if (!appended) return framework::kFailed;
  if (child == nullptr) return framework::kOk;
  return HandOut(appended, child);
}

int32_t XmlElementObject::HasAttribute(const char* name) { return Attribute(name) ? 1 : 0; }

int32_t XmlElementObject::SetAttribute(const char* name, const wchar_t* value) {
  pugi::xml_node node = Node();
  if (node.type() != pugi::node_element || !xml_text::IsValidName(name) || value == nullptr) {
    return framework::kFailed;
  }
  pugi::xml_attribute attribute = Attribute(name);
  if (!attribute) attribute = node.append_attribute(name);
  if (!attribute || !attribute.set_value(xml_text::ToUtf8(value).c_str())) {
    return framework::kFailed;
  }
  texts_.erase(CacheKey(name));
  return framework::kOk;
}

int32_t XmlElementObject::RemoveAttribute(const char* name) {
  pugi::xml_attribute attribute = Attribute(name);
  if (!attribute) return framework::kFailed;
  texts_.erase(CacheKey(name));
  return Node().remove_attribute(attribute) ? framework::kOk : framework::kFailed;
}

const wchar_t* XmlElementObject::GetAttributeText(const char* name) {
  pugi::xml_attribute attribute = Attribute(name);
  if (!attribute) return nullptr;
  std::wstring text = xml_text::ToWide(attribute.value());
  std::wstring& cached = texts_[CacheKey(name)];
  // An unchanged text keeps its buffer, so earlier answers stay valid.
  if (cached != text) cached = text;
  return cached.c_str();
}

int32_t XmlElementObject::GetAttributeInt(const char* name) {
  pugi::xml_attribute attribute = Attribute(name);
  return attribute ? xml_text::ParseInteger(attribute.value()) : 0;
}

int32_t XmlElementObject::GetAttributeBool(const char* name, int32_t defaultValue) {
  pugi::xml_attribute attribute = Attribute(name);
  return attribute ? xml_text::ParseBoolean(attribute.value(), defaultValue) : defaultValue;
}
