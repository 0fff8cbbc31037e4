#include "setup/private_folder_security.h"

#include <windows.h>

#include "setup/system_services.h"

namespace {

// The process token, closed when it goes.
class TokenHandle {
 public:
  TokenHandle() {
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &handle_)) handle_ = nullptr;
  }
  ~TokenHandle() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  TokenHandle(const TokenHandle&) = delete;
  TokenHandle& operator=(const TokenHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

bool CurrentUserSid(std::vector<uint8_t>* sid) {
  TokenHandle token;
  if (token.get() == nullptr) return false;
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size == 0) return false;
  std::vector<uint8_t> buffer(size);
  if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return false;
  PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  if (!IsValidSid(user)) return false;
  const DWORD length = GetLengthSid(user);
  sid->resize(length);
  return CopySid(length, sid->data(), user) != FALSE;
}

}  // namespace

PrivateFolderSecurity::PrivateFolderSecurity() {
  if (!UsesWideCalls()) {
    usable_ = true;  // Windows 9x: no file security to set
    return;
  }
  usable_ = has_descriptor_ = Build();
}

bool PrivateFolderSecurity::Build() {
  if (!CurrentUserSid(&user_sid_)) return false;
  PSID sid = user_sid_.data();
  const DWORD aclSize =
      DWORD(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + GetLengthSid(sid));
  acl_.assign(aclSize, 0);
  PACL acl = reinterpret_cast<PACL>(acl_.data());
  descriptor_.assign(sizeof(SECURITY_DESCRIPTOR), 0);
  PSECURITY_DESCRIPTOR descriptor = descriptor_.data();
  if (!InitializeAcl(acl, aclSize, ACL_REVISION) ||
      !AddAccessAllowedAceEx(acl, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
                             FILE_ALL_ACCESS, sid) ||
      !InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(descriptor, TRUE, acl, FALSE) ||
      !SetSecurityDescriptorControl(descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) {
    return false;
  }
  attributes_.assign(sizeof(SECURITY_ATTRIBUTES), 0);
  auto* attributes = reinterpret_cast<SECURITY_ATTRIBUTES*>(attributes_.data());
  attributes->nLength = sizeof(SECURITY_ATTRIBUTES);
  attributes->lpSecurityDescriptor = descriptor;
  attributes->bInheritHandle = FALSE;
  return true;
}

bool PrivateFolderSecurity::ApplyTo(const char* path) {
  if (!has_descriptor_) return usable_;
  return SetFileSecurityA(path, DACL_SECURITY_INFORMATION, descriptor_.data()) != FALSE;
}
