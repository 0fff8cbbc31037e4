#include "setup/payload_locator.h"

#include <cstring>

#include "setup/crc32_mpeg2.h"

namespace {

constexpr size_t kMaxSignaturePadding = 7;
constexpr size_t kSecurityDirectoryIndex = 4;

uint16_t LoadLe16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

uint32_t LoadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

void StoreLe32(uint32_t v, uint8_t* p) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

bool HasMagicEndingAt(const uint8_t* data, size_t end) {
  return end >= kPayloadTrailerSize &&
         std::memcmp(data + end - kPayloadTrailerSize, kPayloadMagic, kPayloadMagicSize) == 0;
}

// True when [offset, offset + length) lies inside a file of `size` bytes.
bool InFile(uint64_t offset, uint64_t length, size_t size) {
  return offset <= size && length <= size - offset;
}

// File offset and size of the PE certificate table, or false when the file is
// not a PE image or has none. Every offset is checked before it is read.
bool FindCertificateTable(const uint8_t* data, size_t size, uint64_t* offset, uint64_t* length) {
  if (!InFile(0, 0x40, size) || data[0] != 'M' || data[1] != 'Z') return false;
  const uint64_t pe = LoadLe32(data + 0x3C);
  if (!InFile(pe, 24, size) || std::memcmp(data + pe, "PE\0\0", 4) != 0) return false;
  const uint64_t optional_size = LoadLe16(data + pe + 20);
  const uint64_t optional = pe + 24;
  if (!InFile(optional, optional_size, size) || optional_size < 2) return false;
  uint64_t count_at = 0;
  uint64_t directories = 0;
  switch (LoadLe16(data + optional)) {
    case 0x10B:
      count_at = 92;
      directories = 96;
      break;  // PE32
    case 0x20B:
      count_at = 108;
      directories = 112;
      break;  // PE32+
    default:
      return false;
  }
  const uint64_t entry = directories + kSecurityDirectoryIndex * 8;
  if (entry + 8 > optional_size) return false;
  if (LoadLe32(data + optional + count_at) <= kSecurityDirectoryIndex) return false;
  *offset = LoadLe32(data + optional + entry);
  *length = LoadLe32(data + optional + entry + 4);
  return *length > 0 && InFile(*offset, *length, size);
}

// End offset of the trailer when it sits before a certificate table that runs
// to the end of the file, else 0.
size_t FindTrailerBeforeSignature(const uint8_t* data, size_t size) {
  uint64_t table = 0;
  uint64_t table_length = 0;
  if (!FindCertificateTable(data, size, &table, &table_length)) return 0;
  if (table + table_length != size) return 0;
  for (size_t pad = 0; pad <= kMaxSignaturePadding && pad <= table; ++pad) {
    const size_t end = size_t(table) - pad;
    if (pad > 0 && data[end] != 0) break;  // padding is zero bytes only
    if (HasMagicEndingAt(data, end)) return end;
  }
  return 0;
}

}  // namespace

PayloadStatus LocatePayload(const uint8_t* data, size_t size, PayloadLocation* out) {
  if (data == nullptr || size <= kPayloadTrailerSize) return PayloadStatus::kNoTrailer;
  size_t end = size;
  bool signed_layout = false;
  if (!HasMagicEndingAt(data, end)) {
    end = FindTrailerBeforeSignature(data, size);
    if (end == 0) return PayloadStatus::kNoTrailer;
    signed_layout = true;
  }
  const size_t trailer = end - kPayloadTrailerSize;
  const uint32_t length = LoadLe32(data + trailer + 16);
  const uint32_t checksum = LoadLe32(data + trailer + 20);
  if (length > trailer) return PayloadStatus::kLengthOutOfRange;
  const size_t archive = trailer - length;
  if (Crc32Mpeg2(data + archive, length) != checksum) return PayloadStatus::kChecksumMismatch;
  out->trailer_offset = trailer;
  out->archive_offset = archive;
  out->archive_length = length;
  out->checksum = checksum;
  out->behind_signature = signed_layout;
  return PayloadStatus::kOk;
}

void WritePayloadTrailer(uint32_t archive_length, uint32_t checksum, uint8_t out[24]) {
  std::memcpy(out, kPayloadMagic, kPayloadMagicSize);
  StoreLe32(archive_length, out + 16);
  StoreLe32(checksum, out + 20);
}
