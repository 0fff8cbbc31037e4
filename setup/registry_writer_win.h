// Registry writes of the install actions on Windows: WriteRegistryEntry keeps
// the first value it replaces under a key path in that key's "TervixUIPrev"
// subkey and records each write once per package in the uninstall log
// ("WinRegister", with shared counts in the "files" element);
// RegisterFileType writes a file type's keys through it.
#pragma once

#include <cstdint>

#include "setup/registry_requests.h"

namespace registry_writer {

int32_t WriteRegistryEntry(RegistryWriteRequest& request);
bool RegisterFileType(FileTypeRequest& request);

}  // namespace registry_writer
