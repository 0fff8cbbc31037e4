// DibImage: the one bitmap type of the editor and the skinned controls.
//
// The picture is kept as a Windows packed DIB (40-byte BITMAPINFOHEADER,
// palette, bottom-up rows padded to 4 bytes) so GDI can take it unchanged,
// plus an optional unpadded alpha plane (width x height bytes, bottom-up).
// Depths held: 1, 4, 8 (indexed) and 24 (blue, green, red).
//
// Pixel coordinates: x from the left, y counted from the bottom stored row.
// Nothing here throws; failures are false/null results and last-error text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/win32_types.h"

class ImageStream;

// Three palette bytes as image files carry them (red first).
struct RgbTriple {
  BYTE red;
  BYTE green;
  BYTE blue;
};

class DibImage {
 public:
  static constexpr int kFormatBmp = 0;
  static constexpr int kFormatPng = 1;

  static constexpr int kColorKindIndexed = 1;
  static constexpr int kColorKindTrueColor = 2;

  // Resample modes: 0 averages (area when shrinking a 24-bit picture, else
  // bilinear); any other value picks the nearest source pixel.
  static constexpr int kResampleSmooth = 0;
  static constexpr int kResampleNearest = 1;

  // Largest packed block (header + palette + pixels) Create will allocate.
  // Sizes beyond it, or whose byte count overflows, fail like an allocation
  // failure. 512 MiB holds a 24-bit picture of about 13000 x 13000.
  static constexpr uint64_t kMaxBlockBytes = uint64_t{512} << 20;

  static constexpr int kLastErrorSize = 256;

  explicit DibImage(int format = kFormatBmp);
  ~DibImage();
  DibImage(const DibImage&) = delete;
  DibImage& operator=(const DibImage&) = delete;

  // --- Lifetime and ownership -------------------------------------------
  // Allocates a blank picture (zero palette, zero pixels); the depth is
  // normalised to 1, 4, 8 or 24. Returns the pixel area, or null (image left
  // empty) when the size is not positive or the block would be too large.
  BYTE* Create(int width, int height, int bitCount, int format);
  // Frees the blocks unless this image is a ghost of another.
  void Destroy();
  // Deep copy of the source's header, fields, palette and optionally pixels
  // and alpha plane. An empty source leaves this image empty (returns false).
  bool Copy(const DibImage& source, bool withPixels = true, bool withAlpha = true);
  // Takes the source's blocks and fields; the source is left empty.
  void Transfer(DibImage& source);
  // Shares the source's blocks without owning them; the source must outlive
  // the ghost. Used by the writers so they can work on the caller's image.
  void Ghost(DibImage& source);
  bool IsValid() const { return block_ != nullptr; }
  bool IsGhost() const { return ghostOwner_ != nullptr; }
  DibImage* GhostOwner() const { return ghostOwner_; }

  // --- Header and layout ------------------------------------------------
  int Width() const { return header_.biWidth; }
  int Height() const { return header_.biHeight; }
  int BitCount() const { return header_.biBitCount; }
  DWORD ColorsUsed() const { return header_.biClrUsed; }
  DWORD RowStride() const { return rowStride_; }
  DWORD SizeImage() const { return header_.biSizeImage; }
  const BITMAPINFOHEADER& Header() const { return header_; }
  // Header fields the BMP reader fills before Create (only width, height,
  // bit count, compression, resolution and colour counts are meaningful).
  BITMAPINFOHEADER& MutableHeader() { return header_; }

  BYTE* Block() { return block_; }
  const BYTE* Block() const { return block_; }
  size_t BlockSize() const { return blockSize_; }
  BYTE* Pixels() { return pixels_; }
  const BYTE* Pixels() const { return pixels_; }
  // Start of stored row y (0 = bottom), or null when out of range.
  BYTE* Row(int y);
  const BYTE* Row(int y) const;
  RGBQUAD* Palette();  // null when the image has no palette
  const RGBQUAD* Palette() const;

  int Format() const { return format_; }
  int ColorKind() const { return colorKind_; }

  const char* LastError() const { return lastError_; }
  // Copies at most kLastErrorSize - 1 characters.
  void SetLastError(const char* text);

  int TransparentIndex() const { return transparentIndex_; }
  void SetTransparentIndex(int index) { transparentIndex_ = index; }
  RGBQUAD BackgroundColor() const { return background_; }
  void SetBackgroundColor(RGBQUAD color) { background_ = color; }

  int XDpi() const { return xDpi_; }
  int YDpi() const { return yDpi_; }
  // Stores the resolution and keeps the header's pixels per metre in step.
  void SetXDpi(int dpi);
  void SetYDpi(int dpi);
  // Derives both dpi values from the header's pixels per metre.
  void DpiFromPelsPerMeter();

  bool AlphaPalette() const { return alphaPalette_; }
  void SetAlphaPalette(bool on) { alphaPalette_ = on; }

  // Whether Draw may hand alpha pictures to the platform's blending. Fixed at
  // construction from the platform version; tests force the software path.
  bool SystemAlphaBlending() const { return systemAlphaBlending_; }
  void SetSystemAlphaBlending(bool on) { systemAlphaBlending_ = on; }

  int Progress() const { return progress_; }
  void SetStopRequest(bool stop) { stopRequest_ = stop; }

  // --- Alpha plane --------------------------------------------------------
  bool HasAlpha() const { return alpha_ != nullptr; }
  // Allocates a zero-filled plane (replacing any old one); false when the
  // image is empty or the allocation fails.
  bool AlphaCreate();
  void AlphaDelete();
  BYTE* AlphaPlane() { return alpha_; }
  const BYTE* AlphaPlane() const { return alpha_; }
  BYTE AlphaGet(int x, int y) const;
  void AlphaSet(int x, int y, BYTE value);

  bool IsInside(int x, int y) const;

  // --- Pixels and palette -----------------------------------------------
  BYTE GetPixelIndex(int x, int y) const;
  void SetPixelIndex(int x, int y, BYTE index);
  RGBQUAD GetPixelColor(int x, int y) const;
  void SetPixelColor(int x, int y, RGBQUAD color);
  BYTE GetNearestIndex(RGBQUAD color) const;

  RGBQUAD GetPaletteColor(BYTE index) const;
  bool GetPaletteColor(BYTE index, BYTE* red, BYTE* green, BYTE* blue) const;
  void SetPaletteColor(BYTE index, BYTE red, BYTE green, BYTE blue, BYTE alpha = 0);
  void SetPaletteColor(BYTE index, RGBQUAD color);
  void SetPalette(const RgbTriple* triples, DWORD count);
  void SetPalette(const RGBQUAD* entries, DWORD count);
  void SetGrayPalette();
  void SwapIndex(BYTE first, BYTE second);
  RGBQUAD GetTransColor() const;

  // Expands 16- or 32-bit source rows into this image's 24-bit pixel area.
  // The source may be that same memory: both loops run backwards.
  void ConvertBitfields(const BYTE* source, DWORD redMask, DWORD greenMask, DWORD blueMask,
                        int sourceBits);
  // Mixes first and second into this (already created) image by factor.
  void Crossfade(const DibImage& first, const DibImage& second, float factor);
  void DrawLine(int x1, int y1, int x2, int y2, RGBQUAD color, bool smooth);
  bool Resample(int newWidth, int newHeight, int mode);
  // Rows top and bottom count from the top line of the picture.
  bool Crop(int left, int top, int right, int bottom, DibImage* destination = nullptr);

  // --- Image files (dib_image_files.cpp) -------------------------------
  // Format codes: kFormatBmp or kFormatPng. Failures leave this image
  // unchanged and set the last error (a file that cannot be opened only
  // returns false).
  bool Load(const char* fileName, int format);
  bool Decode(ImageStream& stream, int format);
  bool Encode(ImageStream& stream, int format);

#ifdef _WIN32
  // --- GDI side (dib_image_win.cpp) -------------------------------------
  bool CreateFromHBITMAP(HBITMAP bitmap);
  bool CreateFromPackedDib(HGLOBAL packedDib);
  HBITMAP MakeBitmap(HDC dc = nullptr) const;
  // cx or cy below zero mean the picture's own width or height.
  bool Draw(HDC dc, int x, int y, int cx = -1, int cy = -1) const;
  bool Stretch(HDC dc, int x, int y, int cx, int cy) const;
  bool Tile(HDC dc, const RECT& rect) const;
  bool DrawCentered(HDC dc, const RECT& rect) const;
#endif

 private:
  // Back to the state of a new image (header, descriptive fields), keeping
  // the format code, the platform flag and the Resample controls.
  void ClearFields();
  // Frees what this image owns (its block unless it is a ghost; its alpha
  // plane when it made it) and forgets shared blocks: the image is empty.
  void FreeBlocks();
  // Forgets block and alpha plane without freeing them (they moved away).
  void ForgetBlocks();
  void WriteHeaderToBlock();
  void CopyDescriptiveFields(const DibImage& source);
  // Descriptive fields and resolution of a picture this image is made from.
  void InheritAttributes(const DibImage& source);
  void TakeOverGhost(DibImage& ghost);
  bool IsIndexed() const { return block_ != nullptr && header_.biClrUsed != 0; }
  RGBQUAD PaletteEntryAt(int index) const;
  // Colour of a position outside the picture.
  RGBQUAD OutsideColor() const;
  void InstallAlpha(BYTE* plane);
  void SwapIndexInPixels(BYTE first, BYTE second);
  void SmoothLineNeighbours(int x, int y, RGBQUAD lineColor, RGBQUAD storedColor);
  void ResampleAreaRow(DibImage& target, int y) const;
  void ResampleBilinearRow(DibImage& target, int y, float scaleX, float scaleY) const;
  void ResampleNearestRow(DibImage& target, int y, float scaleX, float scaleY) const;
  bool ResampleAlphaInto(DibImage& target, float scaleX, float scaleY) const;
  void CopyRectInto(DibImage& target, int left, int firstRow) const;

  BITMAPINFOHEADER header_{};
  BYTE* block_ = nullptr;
  size_t blockSize_ = 0;
  BYTE* pixels_ = nullptr;
  DWORD rowStride_ = 0;
  BYTE* alpha_ = nullptr;
  bool ownsAlpha_ = false;
  DibImage* ghostOwner_ = nullptr;

  int format_ = kFormatBmp;
  int colorKind_ = 0;
  char lastError_[kLastErrorSize] = {};
  int transparentIndex_ = -1;
  RGBQUAD background_{};
  int xDpi_ = 72;
  int yDpi_ = 72;
  bool alphaPalette_ = false;
  bool systemAlphaBlending_ = false;
  int progress_ = 0;
  bool stopRequest_ = false;
};
