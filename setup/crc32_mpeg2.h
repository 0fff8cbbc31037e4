// CRC-32/MPEG-2: polynomial 0x04C11DB7 processed most-significant bit first,
// register initialised to 0xFFFFFFFF, no reflection, no final complement.
// This is the payload checksum; it is not the reflected CRC-32 zip uses.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kCrc32Mpeg2Initial = 0xFFFFFFFFu;

// Continues `crc` over `size` bytes; start with kCrc32Mpeg2Initial. The result
// is taken as is.
uint32_t Crc32Mpeg2(const void* data, size_t size, uint32_t crc = kCrc32Mpeg2Initial);

// The same checksum one byte per step from a single 256-entry table; kept as
// the reference that the fast path is tested and measured against.
uint32_t Crc32Mpeg2Bytewise(const void* data, size_t size, uint32_t crc = kCrc32Mpeg2Initial);
