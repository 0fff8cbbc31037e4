// The installer's $(name) variables: an ordered list of (name, value) pairs of
// narrow text. Paths and values of the installer configuration refer to them.
//
// The install worker expands variables while the window's script may still
// set them, so every operation holds the table's lock: a value replaced or a
// pair appended (moving the list) never races a read.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class VariableTable {
 public:
  // Replaces the value of the newest pair whose name matches exactly
  // (case-sensitive), or appends a new pair.
  void SetVariable(const std::string& name, const std::string& value);

  // The value of the newest pair whose name matches ignoring case, or null.
  // The pointer is only good while no other thread sets variables; Lookup
  // copies the value out under the lock.
  const std::string* Find(const std::string& name) const;
  bool Lookup(const std::string& name, std::string* value) const;

  // Replaces the first "$(name)" reference of text (names may themselves hold
  // references) and then, in the same way, the text after it; turns "/" into
  // "\" when anything was replaced. A text whose first "$" does not start a
  // reference is returned unchanged. Fails on a missing variable, an
  // unclosed reference, a null text or a runaway result.
  bool ExpandVariables(const char* text, std::string* expanded) const;

  void Clear();
  size_t size() const;
  // Oldest first.
  std::vector<std::pair<std::string, std::string>> pairs() const;

 private:
  // Both expect the lock to be held.
  const std::string* FindLocked(const std::string& name) const;
  bool Expand(const std::string& text, int depth, std::string* expanded) const;

  mutable std::mutex mutex_;
  std::vector<std::pair<std::string, std::string>> pairs_;
};

// The one table of the run: filled on the GUI thread at start-up and by the
// script, read by every thread after that.
VariableTable& InstallerVariables();

// The process-wide table's operations under their usual names.
void SetVariable(const std::string& name, const std::string& value);
bool ExpandVariables(const char* text, std::string* expanded);
