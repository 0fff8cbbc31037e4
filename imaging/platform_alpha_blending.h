// Whether the platform offers per-pixel alpha blending (AlphaBlend). DibImage
// samples it once at construction to choose its drawing path.
#pragma once

bool PlatformHasAlphaBlending();
