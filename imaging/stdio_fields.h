// Little-endian fields on an open stdio file, shared by every stored record
// (the skin file's records, the region and point-list records).
//
// Writers report every short or failed write. Readers fail a short read.
// BytesLeft asks the file system for the size of a regular file, so that the
// stream's read buffer survives; only streams that are no regular file are
// measured by seeking to their end and back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "imaging/win32_types.h"

namespace stdio_fields {

bool WriteBytes(std::FILE* file, const void* bytes, size_t count);
bool WriteByte(std::FILE* file, BYTE value);
bool WriteI16(std::FILE* file, int16_t value);
bool WriteI32(std::FILE* file, int32_t value);
bool WriteU32(std::FILE* file, uint32_t value);

bool ReadBytes(std::FILE* file, void* bytes, size_t count);
bool ReadByte(std::FILE* file, BYTE& value);
bool ReadI16(std::FILE* file, int16_t& value);
bool ReadI32(std::FILE* file, int32_t& value);
bool ReadU32(std::FILE* file, uint32_t& value);

// Bytes from the current position to the end, or false when the stream
// cannot tell.
bool BytesLeft(std::FILE* file, uint64_t& left);
// True when the file may still hold size bytes from the current position:
// it does, or the stream cannot tell (the reads that follow then find out).
bool MayHold(std::FILE* file, uint64_t size);

}  // namespace stdio_fields
