#include "setup/crc32_mpeg2.h"

namespace {

constexpr uint32_t kPolynomial = 0x04C11DB7u;

constexpr int kSlices = 16;

// t[0] is the classic byte table; t[k][i] is the register change of byte i
// followed by k zero bytes, which lets sixteen bytes be folded per step.
struct SlicingTables {
  uint32_t t[kSlices][256];
};

constexpr SlicingTables MakeTables() {
  SlicingTables tables{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t reg = i << 24;
    for (int bit = 0; bit < 8; ++bit) {
      reg = (reg & 0x80000000u) ? (reg << 1) ^ kPolynomial : (reg << 1);
    }
    tables.t[0][i] = reg;
  }
  for (int k = 1; k < kSlices; ++k) {
    for (uint32_t i = 0; i < 256; ++i) {
      const uint32_t prev = tables.t[k - 1][i];
      tables.t[k][i] = (prev << 8) ^ tables.t[0][prev >> 24];
    }
  }
  return tables;
}

constexpr SlicingTables kTables = MakeTables();

inline uint32_t StepByte(uint32_t crc, uint8_t byte) {
  return (crc << 8) ^ kTables.t[0][(crc >> 24) ^ byte];
}

inline uint32_t LoadBigEndian32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

// Register change of the four bytes of `word` followed by `zeros` zero bytes.
inline uint32_t FoldWord(uint32_t word, int zeros) {
  return kTables.t[zeros + 3][word >> 24] ^ kTables.t[zeros + 2][(word >> 16) & 0xFF] ^
         kTables.t[zeros + 1][(word >> 8) & 0xFF] ^ kTables.t[zeros][word & 0xFF];
}

}  // namespace

uint32_t Crc32Mpeg2(const void* data, size_t size, uint32_t crc) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  while (size >= 16) {
    const uint32_t w0 = crc ^ LoadBigEndian32(p);
    const uint32_t w1 = LoadBigEndian32(p + 4);
    const uint32_t w2 = LoadBigEndian32(p + 8);
    const uint32_t w3 = LoadBigEndian32(p + 12);
    crc = FoldWord(w0, 12) ^ FoldWord(w1, 8) ^ FoldWord(w2, 4) ^ FoldWord(w3, 0);
    p += 16;
    size -= 16;
  }
  while (size-- > 0) crc = StepByte(crc, *p++);
  return crc;
}

uint32_t Crc32Mpeg2Bytewise(const void* data, size_t size, uint32_t crc) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  while (size-- > 0) crc = StepByte(crc, *p++);
  return crc;
}
