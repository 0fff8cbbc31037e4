// Sha256: the SHA-256 digest (FIPS 180-4), fed in pieces. Used to give a
// picture's pixels a short, stable fingerprint in skin dumps.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class Sha256 {
 public:
  static constexpr size_t kDigestSize = 32;
  using Digest = std::array<uint8_t, kDigestSize>;

  Sha256() { Reset(); }

  void Reset();
  void Update(const void* data, size_t size);
  // Ends the message; the object must be Reset before it is fed again.
  Digest Finish();

  // Lower-case hexadecimal of a digest (64 characters).
  static std::string ToHex(const Digest& digest);
  // Digest of one whole message, as lower-case hexadecimal.
  static std::string HexOf(const void* data, size_t size);

 private:
  static constexpr size_t kBlockSize = 64;

  void Compress(const uint8_t* block);

  std::array<uint32_t, 8> state_{};
  std::array<uint8_t, kBlockSize> buffer_{};
  size_t buffered_ = 0;
  uint64_t totalBytes_ = 0;
};
