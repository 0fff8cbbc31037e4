#include "framework/pixway/bmp_reader.h"

namespace pixway {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;

uint32_t Read16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Read32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct Header {
  int32_t width = 0;
  int32_t height = 0;  // negative: top-down
  uint32_t bits = 0;
  uint32_t compression = kRgb;
  uint32_t colors = 0;
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  size_t palette_offset = 0;
  size_t palette_entry = 4;
};

// One channel of a bit-field pixel, scaled to 8 bits.
uint8_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const uint32_t top = mask >> shift;
  return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / top);
}

bool ReadHeader(const uint8_t* data, size_t size, Header* header) {
  if (size < kFileHeaderSize + 12) return false;
  const uint8_t* info = data + kFileHeaderSize;
  const uint32_t infoSize = Read32(info);
  if (infoSize == 12) {
    header->width = static_cast<int32_t>(Read16(info + 4));
    header->height = static_cast<int32_t>(Read16(info + 6));
    header->bits = Read16(info + 10);
    header->palette_entry = 3;
  } else if (infoSize >= 40 && infoSize <= size - kFileHeaderSize) {
    header->width = static_cast<int32_t>(Read32(info + 4));
    header->height = static_cast<int32_t>(Read32(info + 8));
    header->bits = Read16(info + 14);
    header->compression = Read32(info + 16);
    header->colors = Read32(info + 32);
    if (header->compression == kBitFields) {
      // The masks follow a 40-byte header, or sit inside a longer one.
      const size_t at = kFileHeaderSize + 40;
      if (at + 12 > size) return false;
      for (int i = 0; i < 3; ++i) header->masks[i] = Read32(data + at + 4 * i);
      header->palette_offset = infoSize == 40 ? 12 : 0;
    }
  } else {
    return false;
  }
  header->palette_offset += kFileHeaderSize + infoSize;
  if (header->width <= 0 || header->width > kMaxImageSide || header->height == 0 ||
      header->height < -kMaxImageSide || header->height > kMaxImageSide) {
    return false;
  }
  if (header->compression == kBitFields) {
    return header->bits == 16 || header->bits == 32;
  }
  if (header->compression != kRgb) return false;
  const uint32_t bits = header->bits;
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

bool BmpReader::IsBmp(const uint8_t* data, size_t size) {
  return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool BmpReader::Read(const uint8_t* data, size_t size, DecodedImage* image) {
  *image = DecodedImage();
  Header header;
  if (!IsBmp(data, size) || !ReadHeader(data, size, &header)) return false;
  const uint32_t pixelOffset = Read32(data + 10);
  const size_t width = static_cast<size_t>(header.width);
  const size_t height = static_cast<size_t>(header.height < 0 ? -header.height : header.height);
  const size_t stride = (width * header.bits + 31) / 32 * 4;
  if (pixelOffset > size || stride * height > size - pixelOffset) return false;

  // Palette: as many entries as the header says, at most 2^bits, all inside the file.
  size_t paletteCount = 0;
  if (header.bits <= 8) {
    const size_t most = size_t{1} << header.bits;
    paletteCount = header.colors == 0 || header.colors > most ? most : header.colors;
    if (header.palette_offset > pixelOffset ||
        paletteCount * header.palette_entry > pixelOffset - header.palette_offset) {
      return false;
    }
  }
  const uint8_t* palette = data + header.palette_offset;

  image->pixels.resize(width * height * 4);
  for (size_t row = 0; row < height; ++row) {
    const size_t sourceRow = header.height < 0 ? row : height - 1 - row;
    const uint8_t* in = data + pixelOffset + sourceRow * stride;
    uint8_t* out = image->pixels.data() + row * width * 4;
    for (size_t x = 0; x < width; ++x, out += 4) {
      out[3] = 255;
      if (header.bits <= 8) {
        const size_t bit = x * header.bits;
        const uint32_t index =
            (in[bit / 8] >> (8 - header.bits - bit % 8)) & ((1u << header.bits) - 1);
        if (index >= paletteCount) {
          out[0] = out[1] = out[2] = 0;
          continue;
        }
        const uint8_t* entry = palette + index * header.palette_entry;
        out[0] = entry[0];
        out[1] = entry[1];
        out[2] = entry[2];
      } else if (header.bits == 24) {
        out[0] = in[x * 3];
        out[1] = in[x * 3 + 1];
        out[2] = in[x * 3 + 2];
      } else if (header.bits == 32 && header.compression == kRgb) {
        out[0] = in[x * 4];
        out[1] = in[x * 4 + 1];
        out[2] = in[x * 4 + 2];
      } else {
        const uint32_t pixel = header.bits == 16 ? Read16(in + x * 2) : Read32(in + x * 4);
        out[0] = Channel(pixel, header.masks[2]);
        out[1] = Channel(pixel, header.masks[1]);
        out[2] = Channel(pixel, header.masks[0]);
      }
    }
  }
  image->width = header.width;
  image->height = static_cast<int32_t>(height);
  return true;
}

}  // namespace pixway
