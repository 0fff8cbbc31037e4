// What the install actions ask the registry for: one value written (with the
// value it replaces kept under the key's "TervixUIPrev" subkey and the write
// recorded in the uninstall log), or a whole file type registered.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/interfaces.h"

struct RegistryWriteRequest {
  static constexpr uint32_t kString = 1;  // REG_SZ
  static constexpr uint32_t kBinary = 3;  // REG_BINARY

  std::string root;             // "HKLM", "HKEY_CLASSES_ROOT", ...
  std::string key_path;         // empty: not given
  bool has_value_name = false;  // false: the key's default value
  std::string value_name;
  // No data: the key is only created.
  bool has_data = false;
  uint32_t type = kString;
  std::string text;            // kString
  std::vector<uint8_t> bytes;  // every other type
  std::string message;         // out: "Success." or what failed
  framework::XmlElement* package_log = nullptr;
  framework::XmlElement* files_log = nullptr;
};

struct FileTypeRequest {
  std::string extension;
  std::string type_name;
  std::string command;
  std::string description;
  bool has_icon = false;
  std::string icon;
  std::string verb;  // empty: "Open"
  bool has_dde = false;
  std::string dde_format;
  std::string dde_application;
  std::string message;  // out
  framework::XmlElement* package_log = nullptr;
};
