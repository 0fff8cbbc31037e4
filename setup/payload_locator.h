// Finds and checks the payload inside the bytes of a setup file: the 24-byte
// trailer ("CorvanaInstaller", archive length, CRC-32/MPEG-2 of the archive)
// and the archive that ends where the trailer begins.
#pragma once

#include <cstddef>
#include <cstdint>

#include "setup/payload.h"

struct PayloadLocation {
  size_t trailer_offset = 0;  // where the 24 trailer bytes begin
  size_t archive_offset = 0;  // trailer_offset - archive_length
  uint32_t archive_length = 0;
  uint32_t checksum = 0;          // as stored in the trailer
  bool behind_signature = false;  // found before a certificate table
};

constexpr size_t kPayloadTrailerSize = 24;
constexpr char kPayloadMagic[] = "CorvanaInstaller";  // 16 bytes used, no terminator
constexpr size_t kPayloadMagicSize = 16;

// Unsigned files: the trailer is the last 24 bytes. Code signing appends a
// certificate table after it; when the end holds no trailer, the trailer is
// looked for right before the table named by the PE security directory (with
// up to 7 zero padding bytes between), provided that table runs to the end of
// the file. All fields are treated as hostile.
PayloadStatus LocatePayload(const uint8_t* data, size_t size, PayloadLocation* out);

// Writes the 24 trailer bytes for an archive of `archive_length` bytes with
// checksum `checksum` into `out`.
void WritePayloadTrailer(uint32_t archive_length, uint32_t checksum, uint8_t out[24]);
