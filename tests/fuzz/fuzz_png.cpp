// Reads arbitrary bytes as a PNG datastream and round-trips what decodes.
//
// Chunk CRCs are made right before decoding: otherwise nearly every mutation
// ends at libpng's CRC check and the fuzzer never reaches the pixel code.
#include <zlib.h>

#include <vector>

#include "tests/fuzz/fuzz_image.h"

namespace {

constexpr size_t kSignatureSize = 8;

uint32_t LoadBe32(const uint8_t* at) {
  return (uint32_t{at[0]} << 24) | (uint32_t{at[1]} << 16) | (uint32_t{at[2]} << 8) | at[3];
}

void StoreBe32(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value >> 24);
  at[1] = static_cast<uint8_t>(value >> 16);
  at[2] = static_cast<uint8_t>(value >> 8);
  at[3] = static_cast<uint8_t>(value);
}

void FixChunkCrcs(std::vector<uint8_t>& bytes) {
  size_t at = kSignatureSize;
  while (at + 12 <= bytes.size()) {
    const uint64_t length = LoadBe32(&bytes[at]);
    if (length > bytes.size() - at - 12) return;
    const size_t body = at + 4;  // type and data
    const uLong crc = crc32(0L, &bytes[body], static_cast<uInt>(4 + length));
    StoreBe32(&bytes[body + 4 + length], static_cast<uint32_t>(crc));
    at = body + 4 + static_cast<size_t>(length) + 4;
  }
}

// The IHDR chunk comes first, right after the signature.
bool AsksForLargePicture(const uint8_t* data, size_t size) {
  if (size < kSignatureSize + 16) return false;
  return fuzz_image::IsLargePicture(LoadBe32(data + kSignatureSize + 8),
                                    LoadBe32(data + kSignatureSize + 12));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (AsksForLargePicture(data, size)) return 0;
  std::vector<uint8_t> bytes(data, data + size);
  FixChunkCrcs(bytes);
  fuzz_image::Run(bytes.data(), bytes.size(), DibImage::kFormatPng);
  return 0;
}
