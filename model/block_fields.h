// Field access shared by the two property blocks: the multi-byte fields of a
// block sit at unaligned offsets and are stored little-endian on every host.
#pragma once

#include "imaging/little_endian.h"
#include "imaging/win32_types.h"

namespace block_fields {

inline RECT LoadRect(const BYTE* at) {
  RECT rect;
  rect.left = LoadLeI32(at);
  rect.top = LoadLeI32(at + 4);
  rect.right = LoadLeI32(at + 8);
  rect.bottom = LoadLeI32(at + 12);
  return rect;
}

inline void StoreRect(BYTE* at, const RECT& rect) {
  StoreLeI32(at, rect.left);
  StoreLeI32(at + 4, rect.top);
  StoreLeI32(at + 8, rect.right);
  StoreLeI32(at + 12, rect.bottom);
}

// Flags are bytes; any non-zero value reads as set, a set flag is stored as 1.
inline bool LoadFlag(const BYTE* at) { return *at != 0; }
inline void StoreFlag(BYTE* at, bool on) { *at = on ? 1 : 0; }

}  // namespace block_fields
