// Writing archive entries to disk, creating the folders they need. Used for
// the framework libraries and for the files the installer configuration names.
#pragma once

#include "framework/interfaces.h"

class VariableTable;

enum EnsureDirectoryResult {
  kDirectoryUnchanged = 0,  // the path holds no "\" separator
  kDirectoryCreated = 1,    // the full directory was newly created
  kDirectoryNotCreated = 2  // it existed already, or creating it failed
};

// Makes sure every folder of `path` ("\" separators) exists.
EnsureDirectoryResult EnsureDirectory(const char* path);

// Expands variables in `destination`, reads `entry` from the archive and
// writes it there, creating its folder first; a newly created folder is
// appended to `log` (may be null) as a "dir" element with a "path" attribute.
// An entry that is missing, damaged or empty is not extracted.
bool ExtractEntry(const char* destination, const char* entry, framework::XmlElement* log);

// The same against a given archive and variable table.
bool ExtractEntryFrom(framework::Archive* archive, const VariableTable& variables,
                      const char* destination, const char* entry, framework::XmlElement* log);
