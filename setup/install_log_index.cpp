#include "setup/install_log_index.h"

namespace {

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c; }

std::wstring Lowered(const std::wstring& text) {
  std::wstring lowered = text;
  for (wchar_t& c : lowered) c = AsciiLower(c);
  return lowered;
}

std::wstring WideName(const char* name) {
  std::wstring wide;
  for (; *name; ++name) wide.push_back(AsciiLower(static_cast<unsigned char>(*name)));
  return wide;
}

}  // namespace

void InstallLogIndex::Reset(framework::XmlElement* log) {
  entries_.clear();
  indexed_.clear();
  log_ = log;
}

std::wstring InstallLogIndex::Key(const char* name, const char* attribute,
                                  const std::wstring& value) {
  return WideName(name) + L'\n' + WideName(attribute) + L'\n' + Lowered(value);
}

// One pass over the children of that name; the first of equal values wins,
// as a scan from the start would find it.
void InstallLogIndex::IndexChildren(const char* name, const char* attribute) {
  const std::wstring pair = WideName(name) + L'\n' + WideName(attribute);
  if (indexed_[pair]) return;
  indexed_[pair] = true;
  const int32_t count = log_->CountChildren(name);
  for (int32_t i = 0; i < count; ++i) {
    FrameworkRef<framework::XmlElement> child;
    if (framework::Failed(log_->GetChild(name, i, child.Out())) || !child) continue;
    const wchar_t* text = child->GetAttributeText(attribute);
    if (text == nullptr) continue;
    entries_.emplace(Key(name, attribute, text), std::move(child));
  }
}

framework::XmlElement* InstallLogIndex::FindOrAppend(const char* name, const char* attribute,
                                                     const std::wstring& value, bool* found) {
  *found = false;
  if (log_ == nullptr) return nullptr;
  IndexChildren(name, attribute);
  const std::wstring key = Key(name, attribute, value);
  auto existing = entries_.find(key);
  if (existing != entries_.end()) {
    *found = true;
    return existing->second.get();
  }
  FrameworkRef<framework::XmlElement> child;
  if (framework::Failed(log_->AppendChild(name, child.Out())) || !child) return nullptr;
  child->SetAttribute(attribute, value.c_str());
  framework::XmlElement* appended = child.get();
  entries_.emplace(key, std::move(child));
  return appended;
}
