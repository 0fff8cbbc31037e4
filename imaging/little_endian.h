// Little-endian loads and stores at any byte address. Stored formats (property
// blocks, region data, file records) put multi-byte fields at offsets that are
// not aligned to their size, so they are assembled byte by byte instead of
// being read through cast pointers.
#pragma once

#include <cstdint>

#include "imaging/win32_types.h"

inline uint16_t LoadLe16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }

inline uint32_t LoadLe32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
         (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

inline int16_t LoadLeI16(const uint8_t* at) { return static_cast<int16_t>(LoadLe16(at)); }

inline int32_t LoadLeI32(const uint8_t* at) { return static_cast<int32_t>(LoadLe32(at)); }

inline void StoreLe16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

inline void StoreLe32(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
  at[2] = static_cast<uint8_t>(value >> 16);
  at[3] = static_cast<uint8_t>(value >> 24);
}

inline void StoreLeI16(uint8_t* at, int16_t value) { StoreLe16(at, static_cast<uint16_t>(value)); }

inline void StoreLeI32(uint8_t* at, int32_t value) { StoreLe32(at, static_cast<uint32_t>(value)); }

// A rectangle as four signed 32-bit fields: left, top, right, bottom.
inline RECT LoadLeRect(const uint8_t* at) {
  RECT rect;
  rect.left = LoadLeI32(at);
  rect.top = LoadLeI32(at + 4);
  rect.right = LoadLeI32(at + 8);
  rect.bottom = LoadLeI32(at + 12);
  return rect;
}

inline void StoreLeRect(uint8_t* at, const RECT& rect) {
  StoreLeI32(at, rect.left);
  StoreLeI32(at + 4, rect.top);
  StoreLeI32(at + 8, rect.right);
  StoreLeI32(at + 12, rect.bottom);
}
