#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "setup/crc32_mpeg2.h"
#include "setup/payload_locator.h"
#include "tests/setup/payload_fixtures.h"

using payload_test::Bytes;

namespace {

const Bytes kArchive = {'P', 'K', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

PayloadStatus Locate(const Bytes& file, PayloadLocation* location = nullptr) {
  PayloadLocation ignored;
  return LocatePayload(file.data(), file.size(), location ? location : &ignored);
}

}  // namespace

TEST(PayloadTrailerTest, FindsTheArchiveBeforeTheTrailer) {
  const Bytes file = payload_test::MakeSetupFile(kArchive);
  PayloadLocation location;
  ASSERT_EQ(PayloadStatus::kOk, Locate(file, &location));
  EXPECT_EQ(64u, location.archive_offset);
  EXPECT_EQ(kArchive.size(), location.archive_length);
  EXPECT_EQ(file.size() - 24, location.trailer_offset);
  EXPECT_FALSE(location.behind_signature);
}

TEST(PayloadTrailerTest, ArchiveMayStartAtTheFirstByte) {
  Bytes file = kArchive;
  payload_test::Append(&file, payload_test::Trailer(uint32_t(kArchive.size()),
                                                    Crc32Mpeg2(kArchive.data(), kArchive.size())));
  PayloadLocation location;
  ASSERT_EQ(PayloadStatus::kOk, Locate(file, &location));
  EXPECT_EQ(0u, location.archive_offset);
}

TEST(PayloadTrailerTest, RefusesFilesWithoutATrailer) {
  const Bytes good = payload_test::MakeSetupFile(kArchive);
  Bytes wrong_magic = good;
  wrong_magic[good.size() - 24] = 'c';  // "corvanaInstaller"
  Bytes something_after = good;
  something_after.push_back(0);
  const Bytes trailer_only = payload_test::Trailer(0, 0xFFFFFFFF);  // exactly 24 bytes
  const Bytes short_file(Bytes(good.end() - 23, good.end()));
  const Bytes* const files[] = {&wrong_magic, &something_after, &trailer_only, &short_file};
  for (const Bytes* file : files) {
    EXPECT_EQ(PayloadStatus::kNoTrailer, Locate(*file));
  }
  EXPECT_EQ(PayloadStatus::kNoTrailer, LocatePayload(nullptr, 0, nullptr));
}

TEST(PayloadTrailerTest, RefusesALengthLargerThanTheBytesBeforeTheTrailer) {
  Bytes file = payload_test::MakeSetupFile(kArchive);
  const size_t before_trailer = file.size() - 24;
  payload_test::PutLe32(&file, file.size() - 8, uint32_t(before_trailer + 1));
  EXPECT_EQ(PayloadStatus::kLengthOutOfRange, Locate(file));
  payload_test::PutLe32(&file, file.size() - 8, 0xFFFFFFFFu);
  EXPECT_EQ(PayloadStatus::kLengthOutOfRange, Locate(file));
}

TEST(PayloadTrailerTest, AnyFlippedArchiveByteFailsTheChecksum) {
  const Bytes good = payload_test::MakeSetupFile(kArchive);
  for (size_t i = 64; i < 64 + kArchive.size(); ++i) {
    Bytes file = good;
    file[i] ^= 0x01;
    EXPECT_EQ(PayloadStatus::kChecksumMismatch, Locate(file)) << "byte " << i;
  }
  Bytes wrong_checksum = good;
  wrong_checksum.back() ^= 0x80;
  EXPECT_EQ(PayloadStatus::kChecksumMismatch, Locate(wrong_checksum));
}

TEST(PayloadTrailerTest, FindsTheTrailerBeforeACertificateTable) {
  struct Case {
    bool pe32_plus;
    size_t padding;
  };
  for (const Case& c : {Case{false, 0}, Case{false, 7}, Case{true, 0}, Case{true, 3}}) {
    const Bytes file = payload_test::MakeSignedFile(kArchive, c.pe32_plus, Bytes(c.padding, 0));
    PayloadLocation location;
    ASSERT_EQ(PayloadStatus::kOk, Locate(file, &location))
        << "PE32+ " << c.pe32_plus << " padding " << c.padding;
    EXPECT_TRUE(location.behind_signature);
    EXPECT_EQ(512u, location.archive_offset);
    EXPECT_EQ(kArchive.size(), location.archive_length);
  }
}

TEST(PayloadTrailerTest, SignedLayoutChecksTheArchiveToo) {
  Bytes file = payload_test::MakeSignedFile(kArchive, false, {});
  file[512 + 3] ^= 0xFF;
  EXPECT_EQ(PayloadStatus::kChecksumMismatch, Locate(file));
}

TEST(PayloadTrailerTest, RefusesSignedLayoutsThatDoNotFit) {
  EXPECT_EQ(PayloadStatus::kNoTrailer,
            Locate(payload_test::MakeSignedFile(kArchive, false, Bytes(8, 0))))
      << "more than 7 padding bytes";
  EXPECT_EQ(PayloadStatus::kNoTrailer,
            Locate(payload_test::MakeSignedFile(kArchive, false, Bytes{0, 0, 1})))
      << "padding that is not zero";

  const Bytes good = payload_test::MakeSignedFile(kArchive, true, {});
  const size_t entry = payload_test::MakePeStub(true).security_entry;
  const size_t table = good.size() - 40;

  Bytes short_table = good;  // table ends before the end of the file
  payload_test::PutLe32(&short_table, entry + 4, 39);
  Bytes past_end = good;  // offset + size wraps around 32 bits
  payload_test::PutLe32(&past_end, entry, uint32_t(table));
  payload_test::PutLe32(&past_end, entry + 4, 0xFFFFFFF0u);
  Bytes no_pe = good;
  no_pe[0x80] = 'X';
  Bytes header_outside = good;  // e_lfanew beyond the file
  payload_test::PutLe32(&header_outside, 0x3C, 0xFFFFFFF0u);
  Bytes few_directories = good;  // NumberOfRvaAndSizes leaves out the security entry
  payload_test::PutLe32(&few_directories, 0x80 + 24 + 108, 4);
  Bytes small_optional_header = good;
  payload_test::PutLe16(&small_optional_header, 0x80 + 20, 112 + 4 * 8);
  Bytes unknown_magic = good;
  payload_test::PutLe16(&unknown_magic, 0x80 + 24, 0x107);
  const Bytes* const files[] = {&short_table,    &past_end,        &no_pe,
                                &header_outside, &few_directories, &small_optional_header,
                                &unknown_magic};
  for (const Bytes* file : files) {
    EXPECT_EQ(PayloadStatus::kNoTrailer, Locate(*file));
  }
}

TEST(PayloadTrailerTest, TruncatedSignedFilesNeverReadOutOfBounds) {
  const Bytes good = payload_test::MakeSignedFile(kArchive, false, Bytes(2, 0));
  const size_t unsigned_end = 512 + kArchive.size() + 24;  // ends with a plain trailer
  for (size_t size = 0; size < good.size(); ++size) {
    // Copied so that AddressSanitizer sees the exact end of each prefix.
    const Bytes prefix(good.begin(), good.begin() + long(size));
    PayloadLocation location;
    const PayloadStatus status = LocatePayload(prefix.data(), prefix.size(), &location);
    if (size == unsigned_end) {
      EXPECT_EQ(PayloadStatus::kOk, status);
    } else {
      EXPECT_NE(PayloadStatus::kOk, status) << "size " << size;
    }
  }
}
