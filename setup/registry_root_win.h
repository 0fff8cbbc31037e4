// The platform key of a registry root name.
#pragma once

#include <windows.h>

#include "setup/registry_root.h"

// Null for RegistryRoot::kNone.
HKEY RegistryRootKey(RegistryRoot root);
