// Reading the installer configuration's elements through the framework's XML
// interface: attribute values arrive as wide text and are used as ANSI text,
// children are taken one reference at a time.
#pragma once

#include <string>

#include "framework/interfaces.h"
#include "setup/framework_ref.h"

namespace config_element {

// The attribute converted to the system's ANSI code page; empty when absent.
std::string AnsiAttribute(framework::XmlElement* element, const char* name);
// The attribute as it stands; empty when absent.
std::wstring WideAttribute(framework::XmlElement* element, const char* name);
bool HasAttribute(framework::XmlElement* element, const char* name);
bool BoolAttribute(framework::XmlElement* element, const char* name, bool defaultValue);

// The index-th child of that name (names match ignoring case), or empty.
FrameworkRef<framework::XmlElement> Child(framework::XmlElement* parent, const char* name,
                                          int32_t index);
// The first child of that name whose attribute equals value (compared as the
// framework compares attribute values, ignoring case), or empty.
FrameworkRef<framework::XmlElement> ChildWithAttribute(framework::XmlElement* parent,
                                                       const char* name, const char* attribute,
                                                       const std::string& value);

// ASCII letters compared without regard to case.
bool EqualIgnoringCase(const std::string& a, const std::string& b);

}  // namespace config_element
