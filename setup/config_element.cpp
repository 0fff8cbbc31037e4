#include "setup/config_element.h"

#include "setup/os_file.h"

namespace config_element {

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string AnsiAttribute(framework::XmlElement* element, const char* name) {
  const wchar_t* text = element != nullptr ? element->GetAttributeText(name) : nullptr;
  return text != nullptr ? os_file::NarrowAnsi(text) : std::string();
}

std::wstring WideAttribute(framework::XmlElement* element, const char* name) {
  const wchar_t* text = element != nullptr ? element->GetAttributeText(name) : nullptr;
  return text != nullptr ? std::wstring(text) : std::wstring();
}

bool HasAttribute(framework::XmlElement* element, const char* name) {
  return element != nullptr && element->HasAttribute(name) != 0;
}

bool BoolAttribute(framework::XmlElement* element, const char* name, bool defaultValue) {
  if (element == nullptr) return defaultValue;
  return element->GetAttributeBool(name, defaultValue ? 1 : 0) != 0;
}

FrameworkRef<framework::XmlElement> Child(framework::XmlElement* parent, const char* name,
                                          int32_t index) {
  FrameworkRef<framework::XmlElement> child;
  if (parent == nullptr || framework::Failed(parent->GetChild(name, index, child.Out()))) {
    child.Reset();
  }
  return child;
}

FrameworkRef<framework::XmlElement> ChildWithAttribute(framework::XmlElement* parent,
                                                       const char* name, const char* attribute,
                                                       const std::string& value) {
  FrameworkRef<framework::XmlElement> child;
  const std::wstring wide = os_file::WidenAnsi(value.c_str());
  if (parent == nullptr || framework::Failed(parent->GetChildWithAttribute(
                               name, attribute, wide.c_str(), 0, child.Out()))) {
    child.Reset();
  }
  return child;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace config_element
