#include "model/skin_file_io.h"

#include <zlib.h>
#include <algorithm>
#include <cstring>
#include <new>

#include "imaging/image_stream.h"
#include "imaging/little_endian.h"

namespace skin_file {

using stdio_fields::BytesLeft;

namespace {

constexpr int kPackLevel = 9;
// Twice the block: level 9 never needs more for 256 bytes.
constexpr size_t kPackBufferSize = 2 * kPackedBlockSize;
// The packed bytes are read and inflated in chunks of this size, so a long
// length costs no buffer of its own size.
constexpr size_t kInflateChunk = 4096;
constexpr size_t kLineBufferSize = 512;

// zlib's own bound for how far deflate can compress.
constexpr uint64_t kMaxInflateRatio = 1032;
constexpr char kPictureTooLarge[] = "The picture is larger than the file can hold";

uint32_t LoadBe32(const BYTE* at) {
  return (uint32_t{at[0]} << 24) | (uint32_t{at[1]} << 16) | (uint32_t{at[2]} << 8) | at[3];
}

// Channels per pixel of a PNG colour type (palette indices are one).
uint64_t ChannelsOf(BYTE colorType) {
  switch (colorType) {
    case 2:
      return 3;  // RGB
    case 4:
      return 2;  // grey and alpha
    case 6:
      return 4;  // RGBA
    default:
      return 1;  // grey, palette, unknown
  }
}

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Feeds the next chunk of the packed bytes to inflate. Output beyond 256
// bytes lands in the spare byte of out and fails the block.
class BlockInflater {
 public:
  BlockInflater() : initialized_(inflateInit(&stream_) == Z_OK), ok_(initialized_) {}
  ~BlockInflater() {
    if (initialized_) inflateEnd(&stream_);
  }
  BlockInflater(const BlockInflater&) = delete;
  BlockInflater& operator=(const BlockInflater&) = delete;

  bool Feed(BYTE* input, size_t size) {
    if (!ok_ || ended_) return ok_;  // bytes after the stream's end are skipped
    stream_.next_in = input;
    stream_.avail_in = static_cast<uInt>(size);
    stream_.next_out = out_ + stream_.total_out;
    stream_.avail_out = static_cast<uInt>(sizeof(out_) - stream_.total_out);
    const int result = inflate(&stream_, Z_NO_FLUSH);
    if (result == Z_STREAM_END) {
      ended_ = true;
    } else if (result != Z_OK && result != Z_BUF_ERROR) {
      ok_ = false;
    }
    if (stream_.total_out > kPackedBlockSize) ok_ = false;
    return ok_;
  }
  bool Finish(BYTE* block) const {
    if (!ok_ || !ended_ || stream_.total_out != kPackedBlockSize) return false;
    std::copy(out_, out_ + kPackedBlockSize, block);
    return true;
  }

 private:
  z_stream stream_{};
  BYTE out_[kPackedBlockSize + 1];
  const bool initialized_;
  bool ok_;
  bool ended_ = false;
};

}  // namespace

bool IsWritableNameLine(const std::string& text) {
  return text.size() <= kMaxNameLineText && text.find('\n') == std::string::npos &&
         text.find('\0') == std::string::npos;
}

bool WriteNameLine(std::FILE* file, const std::string& text) {
  if (!IsWritableNameLine(text)) return false;
  return WriteBytes(file, text.data(), text.size()) && WriteBytes(file, "\r\n", 2);
}

bool ReadNameLine(std::FILE* file, std::string& text) {
  char line[kLineBufferSize];
  size_t length = 0;
  while (length < kLineBufferSize - 1) {
    const int c = std::fgetc(file);
    if (c == EOF) break;
    line[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (length == 0) return false;
  const size_t textLength = std::find(line, line + length, '\0') - line;
  text = StripWhiteSpace(std::string(line, textLength));
  return true;
}

std::string StripWhiteSpace(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsWhiteSpace(text[first])) ++first;
  while (last > first && IsWhiteSpace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool WritePackedBlock(std::FILE* file, const BYTE* block) {
  BYTE packed[kPackBufferSize];
  uLongf packedSize = sizeof(packed);
  if (compress2(packed, &packedSize, block, kPackedBlockSize, kPackLevel) != Z_OK) return false;
  return WriteU32(file, static_cast<uint32_t>(packedSize)) && WriteBytes(file, packed, packedSize);
}

bool ReadPackedBlock(std::FILE* file, BYTE* block) {
  uint32_t length = 0;
  if (!ReadU32(file, length) || length == 0 || !MayHold(file, length)) return false;
  BlockInflater inflater;
  BYTE chunk[kInflateChunk];
  for (uint32_t done = 0; done < length;) {
    const size_t wanted = std::min<size_t>(sizeof(chunk), length - done);
    if (!ReadBytes(file, chunk, wanted) || !inflater.Feed(chunk, wanted)) return false;
    done += static_cast<uint32_t>(wanted);
  }
  return inflater.Finish(block);
}

bool WriteImage(std::FILE* file, DibImage& image) {
  if (!image.IsValid()) return WriteByte(file, 0);
  if (!WriteByte(file, 1)) return false;
  ImageStream stream(file);
  return image.Encode(stream, DibImage::kFormatPng) && !std::ferror(file);
}

bool PngMayFitIn(const BYTE* head, uint64_t bytesLeft) {
  static const BYTE kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (std::memcmp(head, kSignature, sizeof(kSignature)) != 0 ||
      std::memcmp(head + 12, "IHDR", 4) != 0) {
    return true;
  }
  const uint64_t width = LoadBe32(head + 16);
  const uint64_t height = LoadBe32(head + 20);
  const uint64_t bitDepth = head[24];
  // Sizes and depths no PNG has are the decoder's to reject; within these
  // bounds the arithmetic below stays far from 64 bits.
  if (width > INT32_MAX || height > INT32_MAX || bitDepth > 16) return true;
  const uint64_t leastPackedBytes =
      width * height / 8 / kMaxInflateRatio * bitDepth * ChannelsOf(head[25]);
  return leastPackedBytes <= bytesLeft;
}

// The head is read ahead to check the picture's size, then handed to the
// decoder in front of the rest of the file, so the stream never seeks back
// (a seek throws the stream's read buffer away).
bool ReadPng(std::FILE* file, DibImage& image) {
  BYTE head[kPngHeadSize];
  const size_t read = std::fread(head, 1, sizeof(head), file);
  uint64_t left = 0;
  if (read == sizeof(head) && BytesLeft(file, left) && !PngMayFitIn(head, left + read)) {
    image.SetLastError(kPictureTooLarge);
    return false;
  }
  ImageStream stream(file, head, read);
  return image.Decode(stream, DibImage::kFormatPng);
}

std::unique_ptr<DibImage> ReadImage(std::FILE* file) {
  BYTE present = 0;
  if (!ReadByte(file, present)) return nullptr;
  std::unique_ptr<DibImage> image(new (std::nothrow) DibImage(DibImage::kFormatPng));
  if (!image) return nullptr;
  if (present != 0 && !ReadPng(file, *image)) return nullptr;
  return image;
}

}  // namespace skin_file
