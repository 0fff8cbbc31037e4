// DibImage: creation, ownership, pixel and palette access and the picture
// operations that need no device context. The GDI side is dib_image_win.cpp.
#include "imaging/dib_image.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <utility>

#include "imaging/color_compare.h"
#include "imaging/line_walker.h"
#include "imaging/platform_alpha_blending.h"

#ifndef _WIN32
// Only GDI blends per-pixel alpha for us; elsewhere nothing draws at all.
bool PlatformHasAlphaBlending() { return false; }
#endif

namespace {

constexpr DWORD kHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr int kDefaultDpi = 72;
constexpr double kPelsPerMeterPerDpi = 39.37007874015748;
constexpr double kDpiPerPelsPerMeter = 0.0254;

// The bilinear weights are fixed point with this many steps per pixel, so a
// flat area stays exactly flat (the four weights always sum to one).
constexpr int kBilinearShift = 12;
constexpr uint64_t kBilinearOne = uint64_t{1} << kBilinearShift;

// Area averaging weighs source pixels in thousandths of a pixel.
constexpr int64_t kAreaUnit = 1000;

int NormalisedBitCount(int bitCount) {
  if (bitCount < 2) return 1;
  if (bitCount <= 4) return 4;
  if (bitCount <= 8) return 8;
  return 24;
}

DWORD PaletteSizeFor(int bitCount) { return bitCount <= 8 ? DWORD{1} << bitCount : 0; }

// Truncation toward zero that is defined for every input: values beyond the
// int range saturate and NaN gives 0 (a plain cast would be undefined).
int TruncateToInt(double value) {
  if (value != value) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

int ClampInt(int value, int low, int high) { return std::min(std::max(value, low), high); }

RGBQUAD Quad(BYTE blue, BYTE green, BYTE red, BYTE reserved = 0) {
  RGBQUAD quad;
  quad.rgbBlue = blue;
  quad.rgbGreen = green;
  quad.rgbRed = red;
  quad.rgbReserved = reserved;
  return quad;
}

int SquaredDistance(const RGBQUAD& a, const RGBQUAD& b) {
  const int blue = a.rgbBlue - b.rgbBlue;
  const int green = a.rgbGreen - b.rgbGreen;
  const int red = a.rgbRed - b.rgbRed;
  return blue * blue + green * green + red * red;
}

int CountBits(DWORD value) {
  int count = 0;
  for (; value != 0; value &= value - 1) ++count;
  return count;
}

// value >> shift for any shift: a negative shift moves left, and shifts of
// 32 or more give 0 (both would be undefined as plain shifts).
DWORD ShiftRight(DWORD value, int shift) {
  if (shift >= 32 || shift <= -32) return 0;
  return shift >= 0 ? value >> shift : value << -shift;
}

// first + (second - first) x factor, the sum wrapped to a byte.
BYTE MixByte(int first, int second, float factor) {
  const float step = static_cast<float>(second - first) * factor;
  return static_cast<BYTE>(static_cast<unsigned>(first) +
                           static_cast<unsigned>(TruncateToInt(step)));
}

// MixByte for every difference second - first at one factor: entry d + 255
// is what the factor makes of difference d, so a mix is one look-up.
class MixTable {
 public:
  explicit MixTable(float factor) {
    for (int d = -255; d <= 255; ++d) steps_[d + 255] = MixByte(0, d, factor);
  }
  BYTE Mix(BYTE first, BYTE second) const {
    return static_cast<BYTE>(first + steps_[int(second) - int(first) + 255]);
  }

 private:
  BYTE steps_[511];
};

// Three 24-bit pictures of one size hold the same pixel at the same byte,
// so their rows mix byte for byte (the faces of a button's states).
bool CanMixRows(const DibImage& target, const DibImage& first, const DibImage& second) {
  auto sameLayout = [&target](const DibImage& other) {
    return other.BitCount() == 24 && other.Width() == target.Width() &&
           other.Height() == target.Height();
  };
  return target.BitCount() == 24 && sameLayout(first) && sameLayout(second);
}

void MixRows(const DibImage& first, const DibImage& second, const MixTable& table,
             DibImage& target) {
  const size_t rowBytes = size_t(target.Width()) * 3;
  for (int y = 0; y < target.Height(); ++y) {
    const BYTE* a = first.Row(y);
    const BYTE* b = second.Row(y);
    BYTE* out = target.Row(y);
    for (size_t i = 0; i < rowBytes; ++i) out[i] = table.Mix(a[i], b[i]);
  }
}

// Opacity of a Crossfade source: its plane inside the picture (opaque when it
// has none), nothing outside.
int OpacityForMix(const DibImage& image, int x, int y) {
  if (!image.IsInside(x, y)) return 0;
  return image.HasAlpha() ? image.AlphaGet(x, y) : 255;
}

// Source columns (or rows) that destination cell `cell` covers when `size`
// source pixels shrink to `newSize`, as a span in thousandths of a pixel.
// Exact integer arithmetic; the quotient is split so nothing overflows.
struct AreaSpan {
  int64_t begin;
  int64_t end;
};

AreaSpan AreaSpanOf(int cell, int size, int newSize) {
  auto edge = [size, newSize](int64_t at) {
    const int64_t scaled = at * size;
    return scaled / newSize * kAreaUnit + scaled % newSize * kAreaUnit / newSize;
  };
  return AreaSpan{edge(cell), edge(int64_t{cell} + 1)};
}

// Part of source pixel `index` that lies inside the span, in thousandths.
int64_t AreaWeight(const AreaSpan& span, int64_t index) {
  const int64_t begin = std::max(span.begin, index * kAreaUnit);
  const int64_t end = std::min(span.end, (index + 1) * kAreaUnit);
  return end > begin ? end - begin : 0;
}

// Fixed-point position for bilinear sampling: the pixel at or left of
// position x scale, its right neighbour (clamped to the picture) and the
// weight of that neighbour.
struct BilinearTap {
  int low;
  int high;
  uint64_t weight;
};

BilinearTap BilinearTapOf(int cell, float scale, int size) {
  const float position = static_cast<float>(cell) * scale;
  BilinearTap tap;
  tap.low = ClampInt(TruncateToInt(position), 0, size - 1);
  tap.high = std::min(tap.low + 1, size - 1);
  const float fraction = position - static_cast<float>(tap.low);
  const int weight = TruncateToInt(fraction * static_cast<float>(kBilinearOne));
  tap.weight = static_cast<uint64_t>(ClampInt(weight, 0, static_cast<int>(kBilinearOne)));
  return tap;
}

BYTE BilinearChannel(BYTE c00, BYTE c10, BYTE c01, BYTE c11, uint64_t wx, uint64_t wy) {
  const uint64_t bottom = c00 * (kBilinearOne - wx) + c10 * wx;
  const uint64_t top = c01 * (kBilinearOne - wx) + c11 * wx;
  return static_cast<BYTE>((bottom * (kBilinearOne - wy) + top * wy) >> (2 * kBilinearShift));
}

int NearestSource(int cell, float scale) { return TruncateToInt(static_cast<float>(cell) * scale); }

}  // namespace

// --- Lifetime and ownership -------------------------------------------------

DibImage::DibImage(int format) : format_(format), systemAlphaBlending_(PlatformHasAlphaBlending()) {
  ClearFields();
}

DibImage::~DibImage() { FreeBlocks(); }

void DibImage::ClearFields() {
  header_ = BITMAPINFOHEADER{};
  header_.biSize = kHeaderSize;
  rowStride_ = 0;
  colorKind_ = 0;
  lastError_[0] = '\0';
  transparentIndex_ = -1;
  background_ = RGBQUAD{};
  alphaPalette_ = false;
  SetXDpi(kDefaultDpi);
  SetYDpi(kDefaultDpi);
}

void DibImage::FreeBlocks() {
  AlphaDelete();
  if (ghostOwner_ == nullptr) delete[] block_;
  ForgetBlocks();
}

void DibImage::ForgetBlocks() {
  block_ = nullptr;
  blockSize_ = 0;
  pixels_ = nullptr;
  alpha_ = nullptr;
  ownsAlpha_ = false;
  ghostOwner_ = nullptr;
}

void DibImage::WriteHeaderToBlock() {
  if (block_ != nullptr) std::memcpy(block_, &header_, kHeaderSize);
}

void DibImage::CopyDescriptiveFields(const DibImage& source) {
  format_ = source.format_;
  colorKind_ = source.colorKind_;
  std::memcpy(lastError_, source.lastError_, sizeof(lastError_));
  transparentIndex_ = source.transparentIndex_;
  background_ = source.background_;
  xDpi_ = source.xDpi_;
  yDpi_ = source.yDpi_;
  alphaPalette_ = source.alphaPalette_;
}

void DibImage::InheritAttributes(const DibImage& source) {
  CopyDescriptiveFields(source);
  header_.biXPelsPerMeter = source.header_.biXPelsPerMeter;
  header_.biYPelsPerMeter = source.header_.biYPelsPerMeter;
  WriteHeaderToBlock();
}

BYTE* DibImage::Create(int width, int height, int bitCount, int format) {
  FreeBlocks();
  if (width <= 0 || height <= 0) return nullptr;
  const int bits = NormalisedBitCount(bitCount);
  const DWORD colors = PaletteSizeFor(bits);
  // 64-bit throughout: width x bits and stride x height overflow 32 bits
  // long before they reach the block limit.
  const uint64_t stride = (uint64_t(width) * uint64_t(bits) + 31) / 32 * 4;
  if (stride > kMaxBlockBytes) return nullptr;
  const uint64_t sizeImage = stride * uint64_t(height);
  const uint64_t total = kHeaderSize + uint64_t{colors} * sizeof(RGBQUAD) + sizeImage;
  if (sizeImage > kMaxBlockBytes || total > kMaxBlockBytes) return nullptr;

  // Value-initialised: palette and pixels start as zeros.
  BYTE* block = new (std::nothrow) BYTE[static_cast<size_t>(total)]();
  if (block == nullptr) return nullptr;

  header_.biSize = kHeaderSize;
  header_.biWidth = width;
  header_.biHeight = height;
  header_.biPlanes = 1;
  header_.biBitCount = static_cast<WORD>(bits);
  header_.biCompression = BI_RGB;
  header_.biSizeImage = static_cast<DWORD>(sizeImage);
  header_.biClrUsed = colors;
  header_.biClrImportant = 0;
  rowStride_ = static_cast<DWORD>(stride);
  colorKind_ = bits <= 8 ? kColorKindIndexed : kColorKindTrueColor;
  format_ = format;

  block_ = block;
  blockSize_ = static_cast<size_t>(total);
  pixels_ = block + kHeaderSize + size_t{colors} * sizeof(RGBQUAD);
  WriteHeaderToBlock();
  return pixels_;
}

void DibImage::Destroy() { FreeBlocks(); }

bool DibImage::Copy(const DibImage& source, bool withPixels, bool withAlpha) {
  // Copying from itself, its ghost or its owner: recreating this image would
  // free or replace the very block being read, so go through a scratch image.
  if (source.block_ != nullptr && source.block_ == block_) {
    DibImage scratch(format_);
    if (!scratch.Copy(source, withPixels, withAlpha)) return false;
    Transfer(scratch);
    return true;
  }
  if (source.block_ == nullptr) {
    FreeBlocks();
    return false;
  }
  header_ = source.header_;
  CopyDescriptiveFields(source);
  if (Create(source.Width(), source.Height(), source.BitCount(), source.format_) == nullptr)
    return false;
  if (withPixels) {
    std::memcpy(block_, source.block_, std::min(blockSize_, source.blockSize_));
    WriteHeaderToBlock();
  } else {
    SetPalette(source.Palette(), source.ColorsUsed());
  }
  if (withAlpha && source.alpha_ != nullptr) {
    if (!AlphaCreate()) return false;
    std::memcpy(alpha_, source.alpha_, size_t(Width()) * size_t(Height()));
  }
  return true;
}

void DibImage::Transfer(DibImage& source) {
  if (&source == this) return;
  if (source.ghostOwner_ == this) {
    TakeOverGhost(source);
    return;
  }
  FreeBlocks();
  header_ = source.header_;
  rowStride_ = source.rowStride_;
  CopyDescriptiveFields(source);
  block_ = source.block_;
  blockSize_ = source.blockSize_;
  pixels_ = source.pixels_;
  alpha_ = source.alpha_;
  ownsAlpha_ = source.ownsAlpha_;
  // A ghost's blocks stay its owner's, whoever holds them.
  ghostOwner_ = source.ghostOwner_;
  source.ForgetBlocks();
  source.ClearFields();
}

// The ghost shares this image's block already; only what the ghost changed
// comes back: its descriptive fields and an alpha plane it made itself.
void DibImage::TakeOverGhost(DibImage& ghost) {
  CopyDescriptiveFields(ghost);
  if (ghost.alpha_ != alpha_) {
    AlphaDelete();
    if (ghost.ownsAlpha_) InstallAlpha(ghost.alpha_);
  }
  ghost.ForgetBlocks();
  ghost.ClearFields();
}

void DibImage::Ghost(DibImage& source) {
  // Ghosting one's own ghost would free the block it shares.
  if (&source == this || source.ghostOwner_ == this) return;
  FreeBlocks();
  header_ = source.header_;
  rowStride_ = source.rowStride_;
  CopyDescriptiveFields(source);
  block_ = source.block_;
  blockSize_ = source.blockSize_;
  pixels_ = source.pixels_;
  alpha_ = source.alpha_;
  ownsAlpha_ = false;
  ghostOwner_ = &source;
}

// --- Header and layout ------------------------------------------------------

BYTE* DibImage::Row(int y) {
  if (block_ == nullptr || y < 0 || y >= Height()) return nullptr;
  return pixels_ + size_t(y) * rowStride_;
}

const BYTE* DibImage::Row(int y) const {
  if (block_ == nullptr || y < 0 || y >= Height()) return nullptr;
  return pixels_ + size_t(y) * rowStride_;
}

RGBQUAD* DibImage::Palette() {
  if (!IsIndexed()) return nullptr;
  return reinterpret_cast<RGBQUAD*>(block_ + kHeaderSize);
}

const RGBQUAD* DibImage::Palette() const {
  if (!IsIndexed()) return nullptr;
  return reinterpret_cast<const RGBQUAD*>(block_ + kHeaderSize);
}

void DibImage::SetLastError(const char* text) {
  size_t length = 0;
  if (text != nullptr) {
    while (length < kLastErrorSize - 1 && text[length] != '\0') ++length;
    std::memmove(lastError_, text, length);
  }
  lastError_[length] = '\0';
}

void DibImage::SetXDpi(int dpi) {
  xDpi_ = dpi;
  header_.biXPelsPerMeter = TruncateToInt(dpi * kPelsPerMeterPerDpi + 0.5);
  WriteHeaderToBlock();
}

void DibImage::SetYDpi(int dpi) {
  yDpi_ = dpi;
  header_.biYPelsPerMeter = TruncateToInt(dpi * kPelsPerMeterPerDpi + 0.5);
  WriteHeaderToBlock();
}

void DibImage::DpiFromPelsPerMeter() {
  xDpi_ = TruncateToInt(header_.biXPelsPerMeter * kDpiPerPelsPerMeter + 0.5);
  yDpi_ = TruncateToInt(header_.biYPelsPerMeter * kDpiPerPelsPerMeter + 0.5);
}

// --- Alpha plane ------------------------------------------------------------

bool DibImage::AlphaCreate() {
  if (block_ == nullptr) return false;
  const uint64_t size = uint64_t(Width()) * uint64_t(Height());
  if (size > kMaxBlockBytes) return false;
  BYTE* plane = new (std::nothrow) BYTE[static_cast<size_t>(size)]();
  if (plane == nullptr) return false;
  InstallAlpha(plane);
  return true;
}

void DibImage::InstallAlpha(BYTE* plane) {
  AlphaDelete();
  alpha_ = plane;
  ownsAlpha_ = plane != nullptr;
}

void DibImage::AlphaDelete() {
  if (ownsAlpha_) delete[] alpha_;
  alpha_ = nullptr;
  ownsAlpha_ = false;
}

BYTE DibImage::AlphaGet(int x, int y) const {
  if (alpha_ == nullptr || !IsInside(x, y)) return 0;
  return alpha_[size_t(y) * size_t(Width()) + size_t(x)];
}

void DibImage::AlphaSet(int x, int y, BYTE value) {
  if (alpha_ == nullptr || !IsInside(x, y)) return;
  alpha_[size_t(y) * size_t(Width()) + size_t(x)] = value;
}

bool DibImage::IsInside(int x, int y) const {
  return block_ != nullptr && x >= 0 && x < Width() && y >= 0 && y < Height();
}

// --- Pixels and palette -----------------------------------------------------

BYTE DibImage::GetPixelIndex(int x, int y) const {
  if (!IsIndexed()) return 0;
  if (!IsInside(x, y)) return transparentIndex_ >= 0 ? static_cast<BYTE>(transparentIndex_) : 0;
  const BYTE* row = Row(y);
  switch (BitCount()) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (x & 1) != 0 ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default:
      return row[x];
  }
}

void DibImage::SetPixelIndex(int x, int y, BYTE index) {
  if (!IsIndexed() || !IsInside(x, y)) return;
  BYTE* row = Row(y);
  switch (BitCount()) {
    case 1: {
      const BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
      BYTE& packed = row[x >> 3];
      packed = (index & 1) != 0 ? (packed | mask) : (packed & ~mask);
      break;
    }
    case 4: {
      BYTE& packed = row[x >> 1];
      if ((x & 1) != 0)
        packed = static_cast<BYTE>((packed & 0xF0) | (index & 0x0F));
      else
        packed = static_cast<BYTE>((packed & 0x0F) | ((index & 0x0F) << 4));
      break;
    }
    default:
      row[x] = index;
  }
}

RGBQUAD DibImage::PaletteEntryAt(int index) const {
  const RGBQUAD* palette = Palette();
  if (palette == nullptr || index < 0 || DWORD(index) >= ColorsUsed()) return RGBQUAD{};
  return palette[index];
}

RGBQUAD DibImage::OutsideColor() const {
  if (IsIndexed() && transparentIndex_ >= 0) return PaletteEntryAt(transparentIndex_);
  return background_;
}

RGBQUAD DibImage::GetPixelColor(int x, int y) const {
  if (!IsInside(x, y)) return OutsideColor();
  if (IsIndexed()) return PaletteEntryAt(GetPixelIndex(x, y));
  const BYTE* pixel = Row(y) + size_t(x) * 3;
  return Quad(pixel[0], pixel[1], pixel[2]);
}

void DibImage::SetPixelColor(int x, int y, RGBQUAD color) {
  if (!IsInside(x, y)) return;
  if (IsIndexed()) {
    SetPixelIndex(x, y, GetNearestIndex(color));
    return;
  }
  BYTE* pixel = Row(y) + size_t(x) * 3;
  pixel[0] = color.rgbBlue;
  pixel[1] = color.rgbGreen;
  pixel[2] = color.rgbRed;
}

BYTE DibImage::GetNearestIndex(RGBQUAD color) const {
  const RGBQUAD* palette = Palette();
  if (palette == nullptr) return 0;
  // Above the largest possible distance (3 x 255 x 255), so some entry wins.
  int best = 200000;
  BYTE bestIndex = 0;
  for (DWORD i = 0; i < ColorsUsed(); ++i) {
    const int distance = SquaredDistance(palette[i], color);
    if (distance == 0) return static_cast<BYTE>(i);
    if (distance < best) {
      best = distance;
      bestIndex = static_cast<BYTE>(i);
    }
  }
  return bestIndex;
}

RGBQUAD DibImage::GetPaletteColor(BYTE index) const { return PaletteEntryAt(index); }

bool DibImage::GetPaletteColor(BYTE index, BYTE* red, BYTE* green, BYTE* blue) const {
  if (Palette() == nullptr) return false;
  const RGBQUAD entry = PaletteEntryAt(index);
  if (red != nullptr) *red = entry.rgbRed;
  if (green != nullptr) *green = entry.rgbGreen;
  if (blue != nullptr) *blue = entry.rgbBlue;
  return true;
}

void DibImage::SetPaletteColor(BYTE index, BYTE red, BYTE green, BYTE blue, BYTE alpha) {
  SetPaletteColor(index, Quad(blue, green, red, alpha));
}

void DibImage::SetPaletteColor(BYTE index, RGBQUAD color) {
  RGBQUAD* palette = Palette();
  if (palette == nullptr || index >= ColorsUsed()) return;
  palette[index] = color;
}

void DibImage::SetPalette(const RgbTriple* triples, DWORD count) {
  RGBQUAD* palette = Palette();
  if (palette == nullptr || triples == nullptr) return;
  const DWORD used = std::min(count, ColorsUsed());
  for (DWORD i = 0; i < used; ++i) {
    palette[i].rgbRed = triples[i].red;
    palette[i].rgbGreen = triples[i].green;
    palette[i].rgbBlue = triples[i].blue;
  }
}

void DibImage::SetPalette(const RGBQUAD* entries, DWORD count) {
  RGBQUAD* palette = Palette();
  if (palette == nullptr || entries == nullptr) return;
  std::memmove(palette, entries, size_t{std::min(count, ColorsUsed())} * sizeof(RGBQUAD));
}

void DibImage::SetGrayPalette() {
  RGBQUAD* palette = Palette();
  if (palette == nullptr) return;
  const BYTE step = static_cast<BYTE>(255 / (ColorsUsed() - 1));
  for (DWORD i = 0; i < ColorsUsed(); ++i) {
    const BYTE level = static_cast<BYTE>(i * step);
    palette[i] = Quad(level, level, level);
  }
}

void DibImage::SwapIndex(BYTE first, BYTE second) {
  RGBQUAD* palette = Palette();
  if (palette == nullptr || first == second) return;
  // Only entries the palette has can appear in the pixels.
  if (first >= ColorsUsed() || second >= ColorsUsed()) return;
  std::swap(palette[first], palette[second]);
  SwapIndexInPixels(first, second);
}

void DibImage::SwapIndexInPixels(BYTE first, BYTE second) {
  const int width = Width();
  for (int y = 0; y < Height(); ++y) {
    if (BitCount() == 8) {
      BYTE* row = Row(y);
      for (int x = 0; x < width; ++x) {
        if (row[x] == first)
          row[x] = second;
        else if (row[x] == second)
          row[x] = first;
      }
      continue;
    }
    for (int x = 0; x < width; ++x) {
      const BYTE index = GetPixelIndex(x, y);
      if (index == first)
        SetPixelIndex(x, y, second);
      else if (index == second)
        SetPixelIndex(x, y, first);
    }
  }
}

RGBQUAD DibImage::GetTransColor() const {
  if (IsIndexed() && transparentIndex_ >= 0) return PaletteEntryAt(transparentIndex_);
  return background_;
}

// --- Conversion -------------------------------------------------------------

void DibImage::ConvertBitfields(const BYTE* source, DWORD redMask, DWORD greenMask, DWORD blueMask,
                                int sourceBits) {
  if (block_ == nullptr || source == nullptr || BitCount() != 24) return;
  const int width = Width();
  if (sourceBits == 16) {
    const int redBits = CountBits(redMask & 0xFFFF);
    const int greenBits = CountBits(greenMask & 0xFFFF);
    const int blueBits = CountBits(blueMask & 0xFFFF);
    const size_t sourceStride = size_t((int64_t{width} + 1) / 2) * 4;
    // Backwards: a 24-bit pixel never starts before its 16-bit source, so
    // converting in place from the end never overwrites unread source words.
    for (int y = Height() - 1; y >= 0; --y) {
      const BYTE* sourceRow = source + size_t(y) * sourceStride;
      BYTE* row = Row(y);
      for (int x = width - 1; x >= 0; --x) {
        const DWORD word = sourceRow[2 * size_t(x)] | (DWORD{sourceRow[2 * size_t(x) + 1]} << 8);
        BYTE* pixel = row + size_t(x) * 3;
        pixel[0] = static_cast<BYTE>(ShiftRight(word & blueMask, blueBits - 8));
        pixel[1] = static_cast<BYTE>(ShiftRight(word & greenMask, greenBits + blueBits - 8));
        pixel[2] =
            static_cast<BYTE>(ShiftRight(word & redMask, redBits + greenBits + blueBits - 8));
      }
    }
  } else if (sourceBits == 32) {
    // 32-bit rows are wider than 24-bit ones: forwards is the order that
    // would be safe in place; from a separate buffer the order is immaterial.
    const size_t sourceStride = size_t(width) * 4;
    for (int y = 0; y < Height(); ++y) {
      const BYTE* sourceRow = source + size_t(y) * sourceStride;
      BYTE* row = Row(y);
      for (int x = 0; x < width; ++x) {
        std::memmove(row + size_t(x) * 3, sourceRow + size_t(x) * 4, 3);
      }
    }
  }
}

// --- Picture operations -----------------------------------------------------

void DibImage::Crossfade(const DibImage& first, const DibImage& second, float factor) {
  if (block_ == nullptr || first.block_ == nullptr || second.block_ == nullptr) return;
  const int width = Width();
  const int height = Height();
  // The new plane is built aside: this image may be one of the sources.
  BYTE* mixedAlpha = nullptr;
  if (first.HasAlpha() || second.HasAlpha()) {
    const uint64_t size = uint64_t(width) * uint64_t(height);
    if (size > kMaxBlockBytes) return;
    mixedAlpha = new (std::nothrow) BYTE[static_cast<size_t>(size)]();
    if (mixedAlpha == nullptr) return;
  }
  const MixTable table(factor);
  if (CanMixRows(*this, first, second)) {
    MixRows(first, second, table, *this);
  } else {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const RGBQUAD a = first.GetPixelColor(x, y);
        const RGBQUAD b = second.GetPixelColor(x, y);
        SetPixelColor(x, y,
                      Quad(table.Mix(a.rgbBlue, b.rgbBlue), table.Mix(a.rgbGreen, b.rgbGreen),
                           table.Mix(a.rgbRed, b.rgbRed)));
      }
    }
  }
  if (mixedAlpha != nullptr) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        mixedAlpha[size_t(y) * size_t(width) + size_t(x)] =
            table.Mix(BYTE(OpacityForMix(first, x, y)), BYTE(OpacityForMix(second, x, y)));
      }
    }
    InstallAlpha(mixedAlpha);
  }
}

// Lines are walked as GDI's LineDDA walks them (end point excluded). All
// points are drawn first and smoothed afterwards, so smoothing only ever
// touches pixels beside the line, never the line itself.
void DibImage::DrawLine(int x1, int y1, int x2, int y2, RGBQUAD color, bool smooth) {
  if (block_ == nullptr) return;
  int x = 0;
  int y = 0;
  LineWalker walker(x1, y1, x2, y2);
  while (walker.Next(x, y)) SetPixelColor(x, y, color);
  if (!smooth) return;
  // What a line pixel holds now: an indexed picture stores the nearest entry.
  const RGBQUAD stored = IsIndexed() ? PaletteEntryAt(GetNearestIndex(color)) : color;
  LineWalker again(x1, y1, x2, y2);
  while (again.Next(x, y)) {
    if (IsInside(x, y)) SmoothLineNeighbours(x, y, color, stored);
  }
}

// Each edge neighbour of a line point that does not already show the line
// becomes (line + neighbour + next + next but one) >> 2 per channel, where
// "next" and "next but one" continue straight away from the line point: a
// four-tap box falloff across the line. Positions outside the picture read
// as GetPixelColor's outside colour.
void DibImage::SmoothLineNeighbours(int x, int y, RGBQUAD lineColor, RGBQUAD storedColor) {
  static constexpr int kDirections[4][2] = {{-1, 0}, {1, 0}, {0, 1}, {0, -1}};
  for (const auto& direction : kDirections) {
    const int64_t nx = int64_t{x} + direction[0];
    const int64_t ny = int64_t{y} + direction[1];
    if (!IsInside(static_cast<int>(nx), static_cast<int>(ny))) continue;
    const RGBQUAD neighbour = GetPixelColor(static_cast<int>(nx), static_cast<int>(ny));
    if (SameRgb(neighbour, storedColor)) continue;
    RGBQUAD beyond[2];
    for (int step = 0; step < 2; ++step) {
      const int64_t bx = nx + int64_t{direction[0]} * (step + 1);
      const int64_t by = ny + int64_t{direction[1]} * (step + 1);
      const bool representable = bx >= 0 && bx <= INT_MAX && by >= 0 && by <= INT_MAX;
      beyond[step] = representable ? GetPixelColor(static_cast<int>(bx), static_cast<int>(by))
                                   : OutsideColor();
    }
    auto channel = [&](BYTE RGBQUAD::*member) {
      return static_cast<BYTE>(
          (lineColor.*member + neighbour.*member + beyond[0].*member + beyond[1].*member) >> 2);
    };
    SetPixelColor(
        static_cast<int>(nx), static_cast<int>(ny),
        Quad(channel(&RGBQUAD::rgbBlue), channel(&RGBQUAD::rgbGreen), channel(&RGBQUAD::rgbRed)));
  }
}

bool DibImage::Resample(int newWidth, int newHeight, int mode) {
  if (block_ == nullptr || newWidth <= 0 || newHeight <= 0) return false;
  const int width = Width();
  const int height = Height();
  if (newWidth == width && newHeight == height) return true;

  DibImage target(format_);
  if (target.Create(newWidth, newHeight, BitCount(), format_) == nullptr) return false;
  // The scaled picture keeps what it is (transparency, background,
  // resolution), not only its palette.
  target.InheritAttributes(*this);
  target.SetPalette(Palette(), ColorsUsed());

  const float scaleX = static_cast<float>(width) / static_cast<float>(newWidth);
  const float scaleY = static_cast<float>(height) / static_cast<float>(newHeight);
  const bool areaAverage =
      mode == kResampleSmooth && newWidth < width && newHeight < height && BitCount() == 24;
  for (int y = 0; y < newHeight; ++y) {
    progress_ = static_cast<int>(int64_t{100} * y / newHeight);
    if (stopRequest_) break;
    if (areaAverage)
      ResampleAreaRow(target, y);
    else if (mode == kResampleSmooth)
      ResampleBilinearRow(target, y, scaleX, scaleY);
    else
      ResampleNearestRow(target, y, scaleX, scaleY);
  }
  if (alpha_ != nullptr && !ResampleAlphaInto(target, scaleX, scaleY)) return false;
  Transfer(target);
  return true;
}

// Each destination pixel is the average of the source pixels its footprint
// covers, weighted by the covered part of each (thousandths, exact integer
// edges), truncated. Only 24-bit pictures come here.
void DibImage::ResampleAreaRow(DibImage& target, int y) const {
  const AreaSpan rows = AreaSpanOf(y, Height(), target.Height());
  BYTE* out = target.Row(y);
  for (int x = 0; x < target.Width(); ++x) {
    const AreaSpan columns = AreaSpanOf(x, Width(), target.Width());
    uint64_t sums[3] = {0, 0, 0};
    uint64_t totalWeight = 0;
    for (int64_t sy = rows.begin / kAreaUnit; sy * kAreaUnit < rows.end; ++sy) {
      const int64_t rowWeight = AreaWeight(rows, sy);
      const BYTE* source = Row(static_cast<int>(sy));
      if (rowWeight == 0 || source == nullptr) continue;
      for (int64_t sx = columns.begin / kAreaUnit; sx * kAreaUnit < columns.end; ++sx) {
        const uint64_t weight = uint64_t(rowWeight * AreaWeight(columns, sx));
        if (weight == 0 || sx >= Width()) continue;
        const BYTE* pixel = source + size_t(sx) * 3;
        for (int c = 0; c < 3; ++c) sums[c] += weight * pixel[c];
        totalWeight += weight;
      }
    }
    BYTE* pixel = out + size_t(x) * 3;
    for (int c = 0; c < 3; ++c)
      pixel[c] = static_cast<BYTE>(totalWeight != 0 ? sums[c] / totalWeight : 0);
  }
}

void DibImage::ResampleBilinearRow(DibImage& target, int y, float scaleX, float scaleY) const {
  const BilinearTap row = BilinearTapOf(y, scaleY, Height());
  for (int x = 0; x < target.Width(); ++x) {
    const BilinearTap column = BilinearTapOf(x, scaleX, Width());
    const RGBQUAD c00 = GetPixelColor(column.low, row.low);
    const RGBQUAD c10 = GetPixelColor(column.high, row.low);
    const RGBQUAD c01 = GetPixelColor(column.low, row.high);
    const RGBQUAD c11 = GetPixelColor(column.high, row.high);
    auto channel = [&](BYTE RGBQUAD::*member) {
      return BilinearChannel(c00.*member, c10.*member, c01.*member, c11.*member, column.weight,
                             row.weight);
    };
    target.SetPixelColor(
        x, y,
        Quad(channel(&RGBQUAD::rgbBlue), channel(&RGBQUAD::rgbGreen), channel(&RGBQUAD::rgbRed)));
  }
}

// Indexed pixels inside the picture keep their index: matching their colour
// again could pick another entry of the same colour (and lose transparency
// or palette opacity). Outside positions resolve the outside colour.
void DibImage::ResampleNearestRow(DibImage& target, int y, float scaleX, float scaleY) const {
  const int sourceY = NearestSource(y, scaleY);
  for (int x = 0; x < target.Width(); ++x) {
    const int sourceX = NearestSource(x, scaleX);
    if (IsIndexed() && IsInside(sourceX, sourceY))
      target.SetPixelIndex(x, y, GetPixelIndex(sourceX, sourceY));
    else
      target.SetPixelColor(x, y, GetPixelColor(sourceX, sourceY));
  }
}

bool DibImage::ResampleAlphaInto(DibImage& target, float scaleX, float scaleY) const {
  if (!target.AlphaCreate()) return false;
  for (int y = 0; y < target.Height(); ++y) {
    const int sourceY = NearestSource(y, scaleY);
    for (int x = 0; x < target.Width(); ++x)
      target.AlphaSet(x, y, AlphaGet(NearestSource(x, scaleX), sourceY));
  }
  return true;
}

bool DibImage::Crop(int left, int top, int right, int bottom, DibImage* destination) {
  if (block_ == nullptr) return false;
  const int width = Width();
  const int height = Height();
  left = ClampInt(left, 0, width);
  right = ClampInt(right, 0, width);
  top = ClampInt(top, 0, height);
  bottom = ClampInt(bottom, 0, height);
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (left == right || top == bottom) return false;

  DibImage cropped(format_);
  if (cropped.Create(right - left, bottom - top, BitCount(), format_) == nullptr) return false;
  cropped.InheritAttributes(*this);
  cropped.SetPalette(Palette(), ColorsUsed());
  // Rows count from the top; stored rows from the bottom.
  const int firstRow = height - bottom;
  CopyRectInto(cropped, left, firstRow);
  if (alpha_ != nullptr) {
    if (!cropped.AlphaCreate()) return false;
    for (int y = 0; y < cropped.Height(); ++y) {
      const BYTE* source = alpha_ + size_t(firstRow + y) * size_t(width) + size_t(left);
      std::memcpy(cropped.alpha_ + size_t(y) * size_t(cropped.Width()), source,
                  size_t(cropped.Width()));
    }
  }
  (destination != nullptr ? *destination : *this).Transfer(cropped);
  return true;
}

void DibImage::CopyRectInto(DibImage& target, int left, int firstRow) const {
  const int bits = BitCount();
  for (int y = 0; y < target.Height(); ++y) {
    if (bits == 8 || bits == 24) {
      const size_t bytesPerPixel = size_t(bits / 8);
      std::memcpy(target.Row(y), Row(firstRow + y) + size_t(left) * bytesPerPixel,
                  size_t(target.Width()) * bytesPerPixel);
      continue;
    }
    for (int x = 0; x < target.Width(); ++x)
      target.SetPixelIndex(x, y, GetPixelIndex(left + x, firstRow + y));
  }
}
