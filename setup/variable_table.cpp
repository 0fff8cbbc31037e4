#include "setup/variable_table.h"

#include <algorithm>

namespace {

// References nested deeper than this (in names) and results longer than this
// come only from hostile configurations; refusing them keeps the recursion
// and the memory bounded.
constexpr int kMaxNestingDepth = 64;
constexpr size_t kMaxExpandedLength = 1u << 20;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Position of the ")" closing the "(" just before `start`, or npos.
size_t FindClosingParenthesis(const std::string& text, size_t start) {
  int depth = 1;
  for (size_t i = start; i < text.size(); ++i) {
    if (text[i] == '(') {
      ++depth;
    } else if (text[i] == ')' && --depth == 0) {
      return i;
    }
  }
  return std::string::npos;
}

// Position of the first "$" when it opens a reference "$(", else npos: only
// the first "$" of a text is ever considered.
size_t FindReference(const std::string& text, size_t from) {
  size_t dollar = text.find('$', from);
  if (dollar == std::string::npos || dollar + 1 >= text.size() || text[dollar + 1] != '(') {
    return std::string::npos;
  }
  return dollar;
}

}  // namespace

void VariableTable::SetVariable(const std::string& name, const std::string& value) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto pair = pairs_.rbegin(); pair != pairs_.rend(); ++pair) {
    if (pair->first == name) {
      pair->second = value;
      return;
    }
  }
  pairs_.emplace_back(name, value);
}

const std::string* VariableTable::Find(const std::string& name) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return FindLocked(name);
}

bool VariableTable::Lookup(const std::string& name, std::string* value) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::string* found = FindLocked(name);
  if (found == nullptr) return false;
  *value = *found;
  return true;
}

void VariableTable::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  pairs_.clear();
}

size_t VariableTable::size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return pairs_.size();
}

std::vector<std::pair<std::string, std::string>> VariableTable::pairs() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return pairs_;
}

const std::string* VariableTable::FindLocked(const std::string& name) const {
  for (auto pair = pairs_.rbegin(); pair != pairs_.rend(); ++pair) {
    if (EqualIgnoringCase(pair->first, name)) return &pair->second;
  }
  return nullptr;
}

bool VariableTable::ExpandVariables(const char* text, std::string* expanded) const {
  if (text == nullptr || expanded == nullptr) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  return Expand(std::string(text), 0, expanded);
}

// Each reference is "before $( name ) after": the result is before + value +
// the expansion of after. The expansion of after is done in this loop rather
// than by recursion, so a long list of references cannot exhaust the stack;
// only names recurse, bounded by kMaxNestingDepth.
bool VariableTable::Expand(const std::string& text, int depth, std::string* expanded) const {
  size_t reference = FindReference(text, 0);
  if (reference == std::string::npos) {
    *expanded = text;
    return true;
  }
  if (depth >= kMaxNestingDepth) return false;
  std::string result;
  size_t rest = 0;
  while (reference != std::string::npos) {
    size_t nameStart = reference + 2;
    size_t close = FindClosingParenthesis(text, nameStart);
    if (close == std::string::npos) return false;
    std::string name;
    if (!Expand(text.substr(nameStart, close - nameStart), depth + 1, &name)) return false;
    const std::string* value = FindLocked(name);
    if (value == nullptr) return false;
    if (result.size() + (reference - rest) + value->size() > kMaxExpandedLength) return false;
    result.append(text, rest, reference - rest);
    result.append(*value);
    rest = close + 1;
    // The tail's own first "$" decides, exactly as for a whole text.
    reference = FindReference(text, rest);
  }
  if (result.size() + (text.size() - rest) > kMaxExpandedLength) return false;
  result.append(text, rest, std::string::npos);
  std::replace(result.begin(), result.end(), '/', '\\');
  *expanded = std::move(result);
  return true;
}

VariableTable& InstallerVariables() {
  static VariableTable table;
  return table;
}

void SetVariable(const std::string& name, const std::string& value) {
  InstallerVariables().SetVariable(name, value);
}

bool ExpandVariables(const char* text, std::string* expanded) {
  return InstallerVariables().ExpandVariables(text, expanded);
}
