// A small stand-in for the framework's XML element: a tree built by the test
// (Add) or by the code under test (AppendChild), with child lookups by name
// ignoring case, attributes and a reference count that shows balanced use.
#pragma once

#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/interfaces.h"

namespace payload_test {

class XmlElementDouble final : public framework::XmlElement {
 public:
  explicit XmlElementDouble(std::string name) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }
  const std::vector<std::unique_ptr<XmlElementDouble>>& children() const { return children_; }
  std::wstring Attribute(const std::string& name) const {
    auto it = attributes_.find(name);
    return it == attributes_.end() ? L"" : it->second;
  }
  int references() const { return references_; }

  // Adds a child (with a "path" attribute when given) and returns it, for
  // building trees in tests.
  XmlElementDouble& Add(const std::string& name, const std::wstring& path = std::wstring()) {
    children_.push_back(std::make_unique<XmlElementDouble>(name));
    if (!path.empty()) children_.back()->attributes_["path"] = path;
    return *children_.back();
  }
  // References handed out and not yet returned, in this whole subtree.
  int OutstandingReferences() const {
    int total = references_;
    for (const auto& child : children_) total += child->OutstandingReferences();
    return total;
  }

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t add) override {
    if (id != framework::kXmlElementId) return framework::kNoInterface;
    *object = static_cast<framework::XmlElement*>(this);
    if (add) AddRef();
    return framework::kOk;
  }
  // Owned by the parent (or the test); the count only shows balanced use.
  int32_t FRAMEWORK_CALL AddRef() override { return ++references_; }
  int32_t FRAMEWORK_CALL Release() override { return --references_; }

  int32_t FRAMEWORK_CALL CountChildren(const char* name) override {
    int32_t count = 0;
    for (const auto& child : children_) count += SameName(child->name_, name) ? 1 : 0;
    return count;
  }
  int32_t FRAMEWORK_CALL CountChildrenWithAttribute(const char*, const char*,
                                                    const wchar_t*) override {
    return framework::kFailed;
  }
  int32_t FRAMEWORK_CALL GetChildWithAttribute(const char*, const char*, const wchar_t*, int32_t,
                                               framework::XmlElement**) override {
    return framework::kFailed;
  }
  int32_t FRAMEWORK_CALL GetChild(const char* name, int32_t index,
                                  framework::XmlElement** child) override {
    for (const auto& candidate : children_) {
      if (SameName(candidate->name_, name) && index-- == 0) {
        candidate->AddRef();
        *child = candidate.get();
        return framework::kOk;
      }
    }
    *child = nullptr;
    return framework::kFailed;
  }
  int32_t FRAMEWORK_CALL AppendChild(const char* name, framework::XmlElement** child) override {
    children_.push_back(std::make_unique<XmlElementDouble>(name));
    children_.back()->AddRef();
    *child = children_.back().get();
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL HasAttribute(const char* name) override {
    return attributes_.count(name) ? 1 : 0;
  }
  int32_t FRAMEWORK_CALL SetAttribute(const char* name, const wchar_t* value) override {
    attributes_[name] = value;
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL RemoveAttribute(const char* name) override {
    attributes_.erase(name);
    return framework::kOk;
  }
  const wchar_t* FRAMEWORK_CALL GetAttributeText(const char* name) override {
    auto it = attributes_.find(name);
    return it == attributes_.end() ? nullptr : it->second.c_str();
  }
  int32_t FRAMEWORK_CALL GetAttributeInt(const char*) override { return 0; }
  int32_t FRAMEWORK_CALL GetAttributeBool(const char*, int32_t value) override { return value; }

 private:
  // A null name matches every child.
  static bool SameName(const std::string& a, const char* b) {
    if (b == nullptr) return true;
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
      if (std::tolower(static_cast<unsigned char>(a[i])) !=
          std::tolower(static_cast<unsigned char>(b[i]))) {
        return false;
      }
    }
    return i == a.size() && b[i] == '\0';
  }

  std::string name_;
  std::map<std::string, std::wstring> attributes_;
  std::vector<std::unique_ptr<XmlElementDouble>> children_;
  int references_ = 0;
};

}  // namespace payload_test
