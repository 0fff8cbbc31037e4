#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "setup/package_archive.h"
#include "setup/payload.h"
#include "tests/setup/payload_fixtures.h"

using payload_test::Bytes;
using payload_test::ZipEntry;

namespace {

const std::string kIndexText = "<installer>index text, repeated, repeated, repeated</installer>";

std::vector<ZipEntry> SampleEntries() {
  return {{"index", kIndexText},
          {"docs/", ""},
          {"docs/a.txt", "alpha"},
          {"empty", ""},
          {"raw.bin", std::string("\x01\x02\x03\x00\x04", 5), false}};
}

// A setup file on disk opened the way setup.exe opens its own executable.
class PayloadArchiveTest : public ::testing::Test {
 protected:
  void OpenBytes(const Bytes& file) {
    path_ = folder_.File("setup.exe");
    payload_test::WriteAll(path_, file);
    ASSERT_EQ(PayloadStatus::kOk, OpenPayloadFile(path_.c_str(), &payload_));
    archive_ = payload_.archive;
  }
  void OpenSample() {
    OpenBytes(payload_test::MakeSetupFile(payload_test::MakeZip(SampleEntries())));
  }
  void TearDown() override { ClosePayloadFile(&payload_); }

  std::string ReadText(const char* name) {
    uint8_t* bytes = nullptr;
    const uint32_t size = archive_->ReadEntry(name, &bytes);
    std::string text(reinterpret_cast<const char*>(bytes), size);
    archive_->FreeBuffer(bytes);
    return text;
  }

  payload_test::TempFolder folder_;
  std::string path_;
  PayloadFile payload_;
  PackageArchive* archive_ = nullptr;
};

}  // namespace

TEST_F(PayloadArchiveTest, ListsFileEntriesInArchiveOrderWithoutDirectories) {
  OpenSample();
  ASSERT_EQ(4u, archive_->GetEntryCount());
  EXPECT_STREQ("index", archive_->EntryName(0));
  EXPECT_STREQ("docs/a.txt", archive_->EntryName(1));
  EXPECT_STREQ("empty", archive_->EntryName(2));
  EXPECT_STREQ("raw.bin", archive_->EntryName(3));
  EXPECT_EQ(nullptr, archive_->EntryName(4));
}

TEST_F(PayloadArchiveTest, ReadsEntriesByExactName) {
  OpenSample();
  EXPECT_EQ(kIndexText, ReadText("index"));
  EXPECT_EQ("alpha", ReadText("docs/a.txt"));
  EXPECT_EQ(std::string("\x01\x02\x03\x00\x04", 5), ReadText("raw.bin"));
  for (const char* missing : {"Index", "INDEX", "docs/A.txt", "nothere", ""}) {
    uint8_t* bytes = reinterpret_cast<uint8_t*>(1);
    EXPECT_EQ(0u, archive_->ReadEntry(missing, &bytes)) << missing;
    EXPECT_EQ(nullptr, bytes) << missing;
    EXPECT_FALSE(archive_->GetEntryInfo(missing, nullptr)) << missing;
  }
}

TEST_F(PayloadArchiveTest, ReportsEntryInformation) {
  OpenSample();
  framework::ArchiveEntryInfo info;
  ASSERT_TRUE(archive_->GetEntryInfo("index", &info));
  EXPECT_EQ(kIndexText.size(), info.uncompressed_size);
  EXPECT_TRUE(info.compressed);
  EXPECT_STREQ("index", info.name);
  ASSERT_TRUE(archive_->GetEntryInfoAt(3, &info));
  EXPECT_FALSE(info.compressed);
  EXPECT_EQ(5u, info.uncompressed_size);
  EXPECT_EQ(5u, info.compressed_size);
  EXPECT_STREQ("raw.bin", info.name);
}

TEST_F(PayloadArchiveTest, ZeroLengthEntryExistsButReadsAsNothing) {
  OpenSample();
  framework::ArchiveEntryInfo info;
  ASSERT_TRUE(archive_->GetEntryInfo("empty", &info));
  EXPECT_EQ(0u, info.uncompressed_size);
  uint8_t* bytes = nullptr;
  EXPECT_EQ(0u, archive_->ReadEntry("empty", &bytes));
  EXPECT_EQ(nullptr, bytes);
}

TEST_F(PayloadArchiveTest, IndexesOutOfRangeFail) {
  OpenSample();
  const uint32_t count = archive_->GetEntryCount();
  framework::ArchiveEntryInfo info;
  uint8_t* bytes = nullptr;
  for (uint32_t index : {count, count + 1, 0xFFFFFFFFu}) {
    EXPECT_FALSE(archive_->GetEntryInfoAt(index, &info));
    EXPECT_EQ(0u, archive_->ReadEntryAt(index, &bytes));
    EXPECT_EQ(nullptr, bytes);
  }
  EXPECT_EQ(kIndexText.size(), archive_->ReadEntryAt(0, &bytes));
  archive_->FreeBuffer(bytes);
}

TEST_F(PayloadArchiveTest, EntryFailingItsZipCrcCountsAsMissing) {
  const Bytes zip = payload_test::MakeZip({{"good", "good data"}, {"bad", "stored data", false}});
  Bytes damaged = zip;
  // The stored bytes appear verbatim; change one of them (the trailer's own
  // checksum is computed afterwards, so only the entry's CRC disagrees).
  const std::string needle = "stored data";
  auto at = std::search(damaged.begin(), damaged.end(), needle.begin(), needle.end());
  ASSERT_NE(damaged.end(), at);
  *at = 'S';
  OpenBytes(payload_test::MakeSetupFile(damaged));
  uint8_t* bytes = nullptr;
  EXPECT_EQ(0u, archive_->ReadEntry("bad", &bytes));
  EXPECT_EQ(nullptr, bytes);
  EXPECT_EQ("good data", ReadText("good"));

  // The same through an archive opened from a file (read by the zip reader,
  // not from memory).
  const std::string zip_path = folder_.File("damaged.zip");
  payload_test::WriteAll(zip_path, damaged);
  PackageArchive* file_archive = PackageArchive::Create();
  file_archive->AddRef();
  ASSERT_TRUE(file_archive->OpenFileA(zip_path.c_str()));
  EXPECT_EQ(0u, file_archive->ReadEntry("bad", &bytes));
  EXPECT_EQ(9u, file_archive->ReadEntry("good", &bytes));
  EXPECT_EQ(0, std::memcmp(bytes, "good data", 9));
  file_archive->FreeBuffer(bytes);
  file_archive->Release();
}

TEST_F(PayloadArchiveTest, FollowsTheObjectConventions) {
  OpenSample();
  void* object = nullptr;
  EXPECT_EQ(framework::kNoInterface,
            archive_->QueryInterface(framework::kXmlDocumentId, &object, 1));
  EXPECT_EQ(framework::kOk, archive_->QueryInterface(framework::kArchiveId, &object, 1));
  EXPECT_EQ(static_cast<framework::Archive*>(archive_), object);
  EXPECT_EQ(1, archive_->Release());  // drops the reference QueryInterface added
  EXPECT_EQ(framework::kOk, archive_->QueryInterface(framework::kArchiveId, &object, 0));
  EXPECT_EQ(2, archive_->AddRef());
  EXPECT_EQ(1, archive_->Release());
}

TEST_F(PayloadArchiveTest, NameIsTheDisplayNameElseTheStreamName) {
  const std::string zip_path = folder_.File("plain.zip");
  payload_test::WriteAll(zip_path, payload_test::MakeZip(SampleEntries()));
  PackageArchive* archive = PackageArchive::Create();
  archive->AddRef();
  ASSERT_TRUE(archive->OpenFileA(zip_path.c_str()));
  const wchar_t* name = nullptr;
  archive->GetName(&name);
  EXPECT_EQ(std::wstring(zip_path.begin(), zip_path.end()), name);
  archive->SetName(L"Installer");
  archive->GetName(&name);
  EXPECT_STREQ(L"Installer", name);
  EXPECT_EQ(4u, archive->GetEntryCount());
  uint8_t* bytes = nullptr;
  ASSERT_EQ(kIndexText.size(), archive->ReadEntry("index", &bytes));
  EXPECT_EQ(kIndexText, std::string(reinterpret_cast<char*>(bytes), kIndexText.size()));
  archive->FreeBuffer(bytes);
  ASSERT_EQ(5u, archive->ReadEntryAt(3, &bytes));
  EXPECT_EQ(0, std::memcmp(bytes, "\x01\x02\x03\x00\x04", 5));
  archive->FreeBuffer(bytes);
  EXPECT_TRUE(archive->Close());
  EXPECT_FALSE(archive->Close());
  EXPECT_EQ(0u, archive->GetEntryCount());
  archive->Release();
}

TEST(PayloadFileTest, ReportsWhyAFileHasNoPayload) {
  payload_test::TempFolder folder;
  const Bytes zip = payload_test::MakeZip(SampleEntries());
  const Bytes good = payload_test::MakeSetupFile(zip);
  Bytes out_of_range = good;
  payload_test::PutLe32(&out_of_range, good.size() - 8, uint32_t(good.size()));
  Bytes flipped = good;
  flipped[64 + zip.size() / 2] ^= 0x10;
  const Bytes not_a_zip = payload_test::MakeSetupFile(Bytes(100, 'z'));
  struct Case {
    const char* label;
    Bytes bytes;
    PayloadStatus expected;
  };
  const Case cases[] = {
      {"no trailer", Bytes(good.begin(), good.end() - 1), PayloadStatus::kNoTrailer},
      {"out of range", out_of_range, PayloadStatus::kLengthOutOfRange},
      {"flipped byte", flipped, PayloadStatus::kChecksumMismatch},
      {"not a zip", not_a_zip, PayloadStatus::kUnreadableDirectory},
      {"good", good, PayloadStatus::kOk},
  };
  for (const Case& c : cases) {
    const std::string path = folder.File("case.exe");
    payload_test::WriteAll(path, c.bytes);
    PayloadFile payload;
    EXPECT_EQ(c.expected, OpenPayloadFile(path.c_str(), &payload)) << c.label;
    EXPECT_EQ(c.expected == PayloadStatus::kOk, payload.archive != nullptr) << c.label;
    ClosePayloadFile(&payload);
  }
  PayloadFile payload;
  EXPECT_EQ(PayloadStatus::kUnreadable,
            OpenPayloadFile(folder.File("missing.exe").c_str(), &payload));
}

TEST(PayloadFileTest, OpensASignedInstaller) {
  payload_test::TempFolder folder;
  const std::string path = folder.File("signed.exe");
  payload_test::WriteAll(path, payload_test::MakeSignedFile(payload_test::MakeZip(SampleEntries()),
                                                            false, Bytes(5, 0), 1200));
  PayloadFile payload;
  ASSERT_EQ(PayloadStatus::kOk, OpenPayloadFile(path.c_str(), &payload));
  EXPECT_TRUE(payload.behind_signature);
  EXPECT_EQ(4u, payload.archive->GetEntryCount());
  ClosePayloadFile(&payload);
}

// Built once with the native mkinstaller from fixtures/project; opening it
// here (natively and under Wine) shows both builds agree on the format.
TEST(PayloadFileTest, OpensAnInstallerBuiltByTheNativeTool) {
  const std::string path = std::string(QORVA_TEST_DATA_DIR) + "/setup/fixtures/native_setup.bin";
  PayloadFile payload;
  ASSERT_EQ(PayloadStatus::kOk, OpenPayloadFile(path.c_str(), &payload));
  ASSERT_EQ(3u, payload.archive->GetEntryCount());
  EXPECT_STREQ("files/empty.txt", payload.archive->EntryName(0));
  EXPECT_STREQ("files/readme.txt", payload.archive->EntryName(1));
  EXPECT_STREQ("index", payload.archive->EntryName(2));
  uint8_t* bytes = nullptr;
  const uint32_t size = payload.archive->ReadEntry("files/readme.txt", &bytes);
  ASSERT_GT(size, 0u);
  EXPECT_EQ(0, std::memcmp(bytes, "Readme of the sample", 20));
  payload.archive->FreeBuffer(bytes);
  ClosePayloadFile(&payload);
}

// The framework may still hold the archive when the payload is closed; the
// bytes it reads in place must stay valid until its last reference goes.
TEST(PayloadFileTest, ArchiveHeldBeyondCloseStillReads) {
  payload_test::TempFolder folder;
  const std::string path = folder.File("setup.exe");
  payload_test::WriteAll(path, payload_test::MakeSetupFile(payload_test::MakeZip(SampleEntries())));
  PayloadFile payload;
  ASSERT_EQ(PayloadStatus::kOk, OpenPayloadFile(path.c_str(), &payload));
  PackageArchive* held = payload.archive;
  held->AddRef();
  ClosePayloadFile(&payload);
  EXPECT_EQ(nullptr, payload.archive);
  uint8_t* bytes = nullptr;
  ASSERT_EQ(5u, held->ReadEntry("docs/a.txt", &bytes));
  EXPECT_EQ(0, std::memcmp(bytes, "alpha", 5));
  held->FreeBuffer(bytes);
  EXPECT_EQ(0, held->Release());
}

// The test program itself carries no payload: the start-up call reads its own
// executable, finds nothing, and keeps that answer.
TEST(PayloadFileTest, OwnExecutableWithoutPayloadIsRefusedOnce) {
  EXPECT_FALSE(OpenPayload());
  EXPECT_FALSE(OpenPayload());
  EXPECT_EQ(nullptr, PayloadArchive());
  ClosePayload();
  ClosePayload();
}

// Names of any length up to the reader's 0x8001-byte buffer are found by
// name (the zip reader's own lookup stops at 255 bytes). Zip allows names up
// to 0xFFFF bytes: a longer one is listed cut, and since the cut text is not
// its name, it is reached by index only.
TEST(PayloadFileTest, LongEntryNamesAreFoundAndOverlongOnesAreCutNotOverrun) {
  payload_test::TempFolder folder;
  const std::string path = folder.File("setup.exe");
  const std::vector<std::string> long_names = {std::string(255, 'a'), std::string(256, 'b'),
                                               std::string(3000, 'c'), std::string(0x8001, 'd')};
  std::vector<ZipEntry> entries;
  for (const std::string& name : long_names) entries.push_back({name, name.substr(0, 1) + "!"});
  const std::string overlong(40000, 'n');
  entries.push_back({overlong, "x"});
  payload_test::WriteAll(path, payload_test::MakeSetupFile(payload_test::MakeZip(entries)));
  PayloadFile payload;
  ASSERT_EQ(PayloadStatus::kOk, OpenPayloadFile(path.c_str(), &payload));
  PackageArchive* archive = payload.archive;
  ASSERT_EQ(5u, archive->GetEntryCount());
  for (const std::string& name : long_names) {
    framework::ArchiveEntryInfo info;
    ASSERT_TRUE(archive->GetEntryInfo(name.c_str(), &info)) << name.size();
    EXPECT_EQ(name, info.name);
    uint8_t* bytes = nullptr;
    ASSERT_EQ(2u, archive->ReadEntry(name.c_str(), &bytes)) << name.size();
    EXPECT_EQ(name[0], char(bytes[0]));
    archive->FreeBuffer(bytes);
  }
  const std::string cut(0x8001, 'n');
  EXPECT_EQ(cut, archive->EntryName(4));
  EXPECT_FALSE(archive->GetEntryInfo(cut.c_str(), nullptr));
  framework::ArchiveEntryInfo info;
  ASSERT_TRUE(archive->GetEntryInfoAt(4, &info));
  EXPECT_EQ(cut, info.name);
  uint8_t* bytes = nullptr;
  ASSERT_EQ(1u, archive->ReadEntryAt(4, &bytes));
  EXPECT_EQ('x', char(bytes[0]));
  archive->FreeBuffer(bytes);
  ClosePayloadFile(&payload);
}

TEST(PayloadFileTest, ArchiveWithoutEntriesIsUnreadable) {
  payload_test::TempFolder folder;
  const std::string path = folder.File("setup.exe");
  payload_test::WriteAll(path, payload_test::MakeSetupFile(payload_test::MakeZip({})));
  PayloadFile payload;
  EXPECT_EQ(PayloadStatus::kUnreadableDirectory, OpenPayloadFile(path.c_str(), &payload));
}

// minizip checks an entry's CRC only when the whole recorded size was read,
// so an entry that inflates to fewer bytes than its recorded size passes
// that check: the size comparison alone must turn it away.
TEST(PayloadFileTest, EntryThatInflatesShortOfItsRecordedSizeIsMissing) {
  const std::string data(300, 'q');
  Bytes zip = payload_test::MakeZip({{"short", data}, {"fine", "fine data"}});
  // Both copies of the uncompressed size (local header at offset 22, central
  // directory header at offset 24) claim one byte more than the data holds.
  ASSERT_EQ(300u, payload_test::ReadLe32(zip, 22));
  payload_test::PutLe32(&zip, 22, 301);
  const size_t central = payload_test::FindCentralHeader(zip, "short");
  ASSERT_NE(0u, central);
  ASSERT_EQ(300u, payload_test::ReadLe32(zip, central + 24));
  payload_test::PutLe32(&zip, central + 24, 301);

  payload_test::TempFolder folder;
  const std::string path = folder.File("setup.exe");
  payload_test::WriteAll(path, payload_test::MakeSetupFile(zip));
  PayloadFile payload;
  ASSERT_EQ(PayloadStatus::kOk, OpenPayloadFile(path.c_str(), &payload));
  // The payload (read from memory) and the same archive opened from a file
  // (read by the zip reader) both refuse it.
  const std::string zip_path = folder.File("short.zip");
  payload_test::WriteAll(zip_path, zip);
  PackageArchive* from_file = PackageArchive::Create();
  from_file->AddRef();
  ASSERT_TRUE(from_file->OpenFileA(zip_path.c_str()));
  for (PackageArchive* archive : {payload.archive, from_file}) {
    framework::ArchiveEntryInfo info;
    ASSERT_TRUE(archive->GetEntryInfo("short", &info));
    EXPECT_EQ(301u, info.uncompressed_size);
    uint8_t* bytes = reinterpret_cast<uint8_t*>(1);
    EXPECT_EQ(0u, archive->ReadEntry("short", &bytes));
    EXPECT_EQ(nullptr, bytes);
    EXPECT_EQ(0u, archive->ReadEntryAt(0, &bytes));
    EXPECT_EQ(9u, archive->ReadEntry("fine", &bytes));
    archive->FreeBuffer(bytes);
  }
  from_file->Release();
  ClosePayloadFile(&payload);
}

// The information record's name is the archive's own copy of the entry's
// name: a later call (from this thread or another) does not change it.
TEST_F(PayloadArchiveTest, EntryNamesHandedOutStayPut) {
  OpenSample();
  framework::ArchiveEntryInfo first;
  framework::ArchiveEntryInfo second;
  ASSERT_TRUE(archive_->GetEntryInfo("index", &first));
  ASSERT_TRUE(archive_->GetEntryInfoAt(1, &second));
  uint8_t* bytes = nullptr;
  archive_->ReadEntry("raw.bin", &bytes);
  archive_->FreeBuffer(bytes);
  EXPECT_STREQ("index", first.name);
  EXPECT_STREQ("docs/a.txt", second.name);
  const char* listed = archive_->EntryName(3);
  archive_->GetEntryInfo("docs/a.txt", &second);
  EXPECT_STREQ("raw.bin", listed);
}

// The zip reader has one current entry; the archive's lock keeps readers on
// several threads (the window's images on the GUI thread, the install
// worker's files) from moving it under each other.
TEST(PayloadFileTest, EntriesReadFromSeveralThreadsAtOnceComeOutWhole) {
  std::vector<ZipEntry> entries;
  for (int i = 0; i < 8; ++i) {
    std::string data;
    for (int k = 0; k < 4000; ++k) data += char('a' + (i * 7 + k * 13) % 26);
    entries.push_back({"entry" + std::to_string(i), data, i % 2 == 0});
  }
  payload_test::TempFolder folder;
  const std::string path = folder.File("setup.exe");
  payload_test::WriteAll(path, payload_test::MakeSetupFile(payload_test::MakeZip(entries)));
  PayloadFile payload;
  ASSERT_EQ(PayloadStatus::kOk, OpenPayloadFile(path.c_str(), &payload));
  PackageArchive* archive = payload.archive;
  std::atomic<int> wrong{0};
  std::vector<std::thread> readers;
  for (int t = 0; t < 4; ++t) {
    readers.emplace_back([&, t] {
      for (int round = 0; round < 150; ++round) {
        const ZipEntry& entry = entries[size_t((t * 3 + round) % 8)];
        uint8_t* bytes = nullptr;
        const uint32_t size = round % 2
                                  ? archive->ReadEntry(entry.name.c_str(), &bytes)
                                  : archive->ReadEntryAt(uint32_t((t * 3 + round) % 8), &bytes);
        if (size != entry.data.size() || std::memcmp(bytes, entry.data.data(), size) != 0) ++wrong;
        archive->FreeBuffer(bytes);
        framework::ArchiveEntryInfo info;
        if (!archive->GetEntryInfo(entry.name.c_str(), &info) || entry.name != info.name) ++wrong;
      }
    });
  }
  for (std::thread& reader : readers) reader.join();
  EXPECT_EQ(0, wrong.load());
  ClosePayloadFile(&payload);
}
