// Field access shared by the two property blocks: the multi-byte fields of a
// block sit at unaligned offsets and are stored little-endian on every host.
#pragma once

#include "imaging/little_endian.h"
#include "imaging/win32_types.h"

namespace block_fields {

// Flags are bytes; any non-zero value reads as set, a set flag is stored as 1.
inline bool LoadFlag(const BYTE* at) { return *at != 0; }
inline void StoreFlag(BYTE* at, bool on) { *at = on ? 1 : 0; }

}  // namespace block_fields
