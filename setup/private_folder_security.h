// Security for a folder that belongs to the current user alone: one
// inherited entry granting that user full access, and none of the parent
// folder's entries, so the folder and everything later created in it are
// closed to other users. Windows only.
#pragma once

#include <cstdint>
#include <vector>

class PrivateFolderSecurity {
 public:
  // Reads the current user from the process token and builds the
  // descriptor; on Windows 9x, which has no file security, there is none.
  PrivateFolderSecurity();
  PrivateFolderSecurity(const PrivateFolderSecurity&) = delete;
  PrivateFolderSecurity& operator=(const PrivateFolderSecurity&) = delete;

  // False on an NT-family system where the descriptor could not be built
  // (a folder must then not be made).
  bool usable() const { return usable_; }
  // The SECURITY_ATTRIBUTES to create the folder with; null on Windows 9x.
  void* attributes() { return has_descriptor_ ? attributes_.data() : nullptr; }
  // Gives an existing file or folder the same security (where files do not
  // take it over from their folder by themselves); true on Windows 9x.
  bool ApplyTo(const char* path);
  // The user's SID, for checks; empty when there is no descriptor.
  const std::vector<uint8_t>& user_sid() const { return user_sid_; }

 private:
  bool Build();

  bool usable_ = false;
  bool has_descriptor_ = false;
  std::vector<uint8_t> user_sid_;
  std::vector<uint8_t> acl_;
  std::vector<uint8_t> descriptor_;
  std::vector<uint8_t> attributes_;
};
