#include "setup/crc32_mpeg2.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(Crc32Mpeg2Test, CheckValueOfTheNineDigits) {
  EXPECT_EQ(0x0376E6E7u, Crc32Mpeg2("123456789", 9));
  EXPECT_EQ(0x0376E6E7u, Crc32Mpeg2Bytewise("123456789", 9));
}

TEST(Crc32Mpeg2Test, EmptyInputLeavesTheRegisterUnchanged) {
  EXPECT_EQ(0xFFFFFFFFu, Crc32Mpeg2(nullptr, 0));
}

TEST(Crc32Mpeg2Test, IsNotTheReflectedZipChecksum) {
  // The zip CRC-32 of "123456789" is 0xCBF43926.
  EXPECT_NE(0xCBF43926u, Crc32Mpeg2("123456789", 9));
}

// The sixteen-byte path must agree with the byte table for every length and
// alignment, including the tails shorter than sixteen bytes.
TEST(Crc32Mpeg2Test, FastPathMatchesByteTableAtEveryLengthAndAlignment) {
  std::vector<uint8_t> data(300);
  uint32_t seed = 12345;
  for (uint8_t& b : data) {
    seed = seed * 1103515245u + 12345u;
    b = uint8_t(seed >> 16);
  }
  for (size_t offset = 0; offset < 8; ++offset) {
    for (size_t length = 0; length + offset <= 80; ++length) {
      ASSERT_EQ(Crc32Mpeg2Bytewise(data.data() + offset, length),
                Crc32Mpeg2(data.data() + offset, length))
          << "offset " << offset << " length " << length;
    }
  }
  EXPECT_EQ(Crc32Mpeg2Bytewise(data.data(), data.size()), Crc32Mpeg2(data.data(), data.size()));
}

TEST(Crc32Mpeg2Test, ContinuesAcrossPieces) {
  const char text[] = "123456789";
  const uint32_t first = Crc32Mpeg2(text, 4);
  EXPECT_EQ(0x0376E6E7u, Crc32Mpeg2(text + 4, 5, first));
}
