#include "setup/data_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/setup/payload_fixtures.h"

TEST(DataStreamTest, MemoryStreamReadsAndSeeksInsideTheBlock) {
  uint8_t block[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  DataStream stream;
  stream.AttachMemory(block, sizeof block, L"mem");
  EXPECT_EQ(L"mem", stream.Name());
  EXPECT_EQ(10, stream.GetSize());
  uint8_t out[16] = {};
  EXPECT_EQ(4u, stream.Read(out, 4));
  EXPECT_EQ(6, stream.GetRemaining());
  EXPECT_EQ(8, stream.Seek(-2, DataStream::kFromEnd));
  EXPECT_EQ(2u, stream.Read(out, 16));
  EXPECT_EQ(9, out[1]);
  EXPECT_EQ(0u, stream.Read(out, 1));
  EXPECT_EQ(-1, stream.Seek(1, DataStream::kFromEnd));
  EXPECT_EQ(-1, stream.Seek(-11, DataStream::kFromEnd));
  EXPECT_EQ(10, stream.Seek(0, DataStream::kFromEnd)) << "a failed seek keeps the position";
}

TEST(DataStreamTest, MemoryWritesStopAtTheEndUnlessTheBlockGrows) {
  uint8_t block[4] = {};
  DataStream fixed;
  fixed.AttachMemory(block, sizeof block);
  EXPECT_EQ(4u, fixed.Write("abcdef", 6));
  EXPECT_EQ(0, std::memcmp(block, "abcd", 4));

  std::vector<uint8_t> storage(2);
  auto grow = [](void* context, size_t required, uint8_t** bytes, size_t* size) {
    auto* vec = static_cast<std::vector<uint8_t>*>(context);
    vec->resize(required * 2);
    *bytes = vec->data();
    *size = vec->size();
    return true;
  };
  DataStream growing;
  growing.AttachMemory(storage.data(), storage.size());
  growing.SetGrowCallback(grow, &storage);
  EXPECT_EQ(6u, growing.Write("abcdef", 6));
  EXPECT_EQ(0, std::memcmp(storage.data(), "abcdef", 6));
  EXPECT_EQ(12, growing.GetSize());
}

TEST(DataStreamTest, CopiesShareTheFileHandle) {
  payload_test::TempFolder folder;
  const std::string path = folder.File("data.bin");
  payload_test::WriteAll(path, {'h', 'e', 'l', 'l', 'o'});
  DataStream copy;
  {
    DataStream original;
    ASSERT_TRUE(original.OpenFile(path.c_str(), stream_flags::kArchiveFile));
    EXPECT_TRUE(original.IsReadOnly());
    copy = original;
    original.Close();
    EXPECT_FALSE(original.IsOpen());
  }
  ASSERT_TRUE(copy.IsFile());
  char text[5] = {};
  EXPECT_EQ(5u, copy.Read(text, 5));
  EXPECT_EQ(0, std::memcmp(text, "hello", 5));
  EXPECT_EQ(0u, copy.Write("x", 1)) << "opened without write access";
  ASSERT_TRUE(copy.ReadWholeFile());
  EXPECT_EQ(5u, copy.WholeFileSize());
  EXPECT_EQ(0, std::memcmp(copy.WholeFileData(), "hello", 5));
}

TEST(DataStreamTest, CreationFlagsDecideAboutExistingFiles) {
  payload_test::TempFolder folder;
  const std::string path = folder.File("new.bin");
  DataStream stream;
  EXPECT_FALSE(stream.OpenFile(path.c_str(), stream_flags::kArchiveFile)) << "open existing";
  ASSERT_TRUE(stream.OpenFile(path.c_str(), stream_flags::kExtractedFile));
  EXPECT_EQ(3u, stream.Write("abc", 3));
  stream.Close();
  EXPECT_FALSE(stream.OpenFile(path.c_str(), stream_flags::kWrite | stream_flags::kCreateNew));
  ASSERT_TRUE(stream.OpenFile(path.c_str(), stream_flags::kExtractedFile));
  EXPECT_EQ(0, stream.GetSize()) << "create always truncates";
}
