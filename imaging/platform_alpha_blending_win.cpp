#include "imaging/platform_alpha_blending.h"

#include "imaging/win32_types.h"

// Per-pixel alpha blending arrived after the first 32-bit releases of both
// families: Windows 98 and later, Windows 2000 and later.
bool PlatformHasAlphaBlending() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!GetVersionExA(&version)) return false;
  if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return true;
  if (version.dwPlatformId != VER_PLATFORM_WIN32_NT) return false;
  return version.dwMajorVersion > 4 || (version.dwMajorVersion == 4 && version.dwMinorVersion > 0);
}
