#include "imaging/png_codec.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "imaging/dib_image.h"
#include "imaging/image_stream.h"

namespace {

constexpr char kNoStruct[] = "Failed to create PNG structure";
constexpr char kNoInfo[] = "Failed to initialize PNG info structure";
constexpr char kReadError[] = "Read Error";
constexpr char kWriteError[] = "Write Error";
constexpr char kFlushError[] = "Flush Error";
constexpr char kSaveFailed[] = "Error saving PNG file";
constexpr char kNoMemory[] = "Can't allocate memory";

// Pictures with transparency but no background chunk are composited onto
// this grey.
constexpr int kDefaultBackground = 192;
// Room past the end of every row buffer, so no rounding of a row length
// inside a transformation can reach outside it.
constexpr size_t kRowSlack = 10;

// What the guarded part of a read or write changes lives here, in the
// caller's frame: no local of the frame holding setjmp changes after it, and
// what must be released after a jump is reachable from the caller.
struct PngSession {
  ImageStream* stream;
  DibImage* image;
  png_structp png;
  png_infop info;
  BYTE* rowBuffer;
};

struct PngLayout {
  png_uint_32 width;
  png_uint_32 height;
  int bitDepth;
  int colorType;
  int interlace;
  int pixelDepth;  // bits per pixel as stored in the file
};

void OnError(png_structp png, png_const_charp message) {
  DibImage* image = static_cast<DibImage*>(png_get_error_ptr(png));
  if (image != nullptr) image->SetLastError(message);
  png_longjmp(png, 1);
}

// Warnings (ignored ancillary chunks and the like) change nothing we return.
void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep data, png_size_t length) {
  ImageStream* stream = static_cast<ImageStream*>(png_get_io_ptr(png));
  if (stream->Read(data, 1, length) != length) png_error(png, kReadError);
}

void OnWrite(png_structp png, png_bytep data, png_size_t length) {
  ImageStream* stream = static_cast<ImageStream*>(png_get_io_ptr(png));
  if (stream->Write(data, 1, length) != length) png_error(png, kWriteError);
}

void OnFlush(png_structp png) {
  ImageStream* stream = static_cast<ImageStream*>(png_get_io_ptr(png));
  if (stream->Flush() != 0) png_error(png, kFlushError);
}

bool AllocateRowBuffer(PngSession& session, size_t size) {
  session.rowBuffer = new (std::nothrow) BYTE[size]();
  if (session.rowBuffer != nullptr) return true;
  session.image->SetLastError(kNoMemory);
  return false;
}

// --- Reading ------------------------------------------------------------------

// Grey pictures composite on the grey channel, in the file's sample scale
// (libpng scales 16-bit samples itself), so the default grey is given there
// too; a grey of 0 would put them on black.
png_uint_16 DefaultGrey(const PngLayout& layout) {
  if ((layout.colorType & PNG_COLOR_MASK_COLOR) != 0 || layout.bitDepth >= 8)
    return kDefaultBackground;
  const int top = (1 << layout.bitDepth) - 1;
  return static_cast<png_uint_16>((kDefaultBackground * top + 127) / 255);
}

void SetBackground(PngSession& session, const PngLayout& layout) {
  png_color_16p fileBackground = nullptr;
  const bool hasBackground =
      png_get_bKGD(session.png, session.info, &fileBackground) != 0 && fileBackground != nullptr;
  if (layout.pixelDepth == 32) {
    if (hasBackground) {
      RGBQUAD color{};
      color.rgbBlue = static_cast<BYTE>(fileBackground->blue);
      color.rgbGreen = static_cast<BYTE>(fileBackground->green);
      color.rgbRed = static_cast<BYTE>(fileBackground->red);
      session.image->SetBackgroundColor(color);
    }
    return;
  }
  if (hasBackground) {
    png_set_background(session.png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    return;
  }
  png_color_16 grey{};
  grey.red = grey.green = grey.blue = kDefaultBackground;
  grey.gray = DefaultGrey(layout);
  png_set_background(session.png, &grey, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
}

void SetPalette(PngSession& session, const PngLayout& layout) {
  DibImage& image = *session.image;
  png_colorp colors = nullptr;
  int count = 0;
  if (png_get_PLTE(session.png, session.info, &colors, &count) == 0 || colors == nullptr ||
      count <= 0) {
    if (layout.bitDepth != 2) {
      image.SetGrayPalette();
      return;
    }
    for (int i = 0; i < 4; ++i) {
      const BYTE level = static_cast<BYTE>(i * 0x55);
      image.SetPaletteColor(static_cast<BYTE>(i), level, level, level, 0);
    }
    return;
  }
  RgbTriple triples[PNG_MAX_PALETTE_LENGTH];
  const int used = std::min(count, PNG_MAX_PALETTE_LENGTH);
  for (int i = 0; i < used; ++i)
    triples[i] = RgbTriple{colors[i].red, colors[i].green, colors[i].blue};
  image.SetPalette(triples, static_cast<DWORD>(used));
}

// A single entry that hides index 0 is a plain transparent index; anything
// else is per-entry opacity.
void ApplyTransparency(PngSession& session) {
  DibImage& image = *session.image;
  png_bytep opacity = nullptr;
  int count = 0;
  png_color_16p color = nullptr;
  RGBQUAD* palette = image.Palette();
  if (palette == nullptr ||
      png_get_tRNS(session.png, session.info, &opacity, &count, &color) == 0 ||
      opacity == nullptr || count <= 0)
    return;
  const DWORD colors = image.ColorsUsed();
  const DWORD given = std::min(static_cast<DWORD>(count), colors);
  for (DWORD i = 0; i < given; ++i) palette[i].rgbReserved = opacity[i];
  if (count == 1 && opacity[0] == 0) {
    image.SetTransparentIndex(0);
    return;
  }
  image.SetAlphaPalette(true);
  for (DWORD i = given; i < colors; ++i) palette[i].rgbReserved = 255;
}

// Moves 2-bit pixels to 4-bit ones in place, last pair first (each output
// byte lies at or beyond the bytes its pixels come from).
void Widen2To4(BYTE* row, png_uint_32 width) {
  auto pixel = [row](png_uint_32 x) { return (row[x >> 2] >> (6 - 2 * (x & 3))) & 3; };
  for (png_uint_32 pair = (width + 1) / 2; pair-- > 0;) {
    const png_uint_32 x = 2 * pair;
    const int first = pixel(x);
    const int second = x + 1 < width ? pixel(x + 1) : 0;
    row[pair] = static_cast<BYTE>((first << 4) | second);
  }
}

void SplitAlphaRow(const BYTE* source, BYTE* row, BYTE* alpha, png_uint_32 width) {
  for (png_uint_32 x = 0; x < width; ++x, source += 4, row += 3) {
    row[0] = source[0];
    row[1] = source[1];
    row[2] = source[2];
    alpha[x] = source[3];
  }
}

void JoinAlphaRow(const BYTE* row, const BYTE* alpha, BYTE* target, png_uint_32 width) {
  for (png_uint_32 x = 0; x < width; ++x, row += 3, target += 4) {
    target[0] = row[0];
    target[1] = row[1];
    target[2] = row[2];
    target[3] = alpha[x];
  }
}

// Interlaced passes only write their own pixels into the row given to
// libpng, so from the second pass on the row starts as what earlier passes
// left in the picture.
void ReadRows(PngSession& session, const PngLayout& layout, int passes) {
  DibImage& image = *session.image;
  BYTE* buffer = session.rowBuffer;
  const size_t stride = image.RowStride();
  const bool withAlpha = image.HasAlpha();
  for (int pass = 0; pass < passes; ++pass) {
    const bool lastPass = pass == passes - 1;
    for (png_uint_32 r = 0; r < layout.height; ++r) {
      const int y = static_cast<int>(layout.height - 1 - r);
      BYTE* row = image.Row(y);
      BYTE* alpha = withAlpha ? image.AlphaPlane() + size_t(y) * layout.width : nullptr;
      if (pass > 0) {
        if (withAlpha)
          JoinAlphaRow(row, alpha, buffer, layout.width);
        else
          std::memcpy(buffer, row, stride);
      }
      png_read_row(session.png, buffer, nullptr);
      if (withAlpha) {
        SplitAlphaRow(buffer, row, alpha, layout.width);
        continue;
      }
      if (layout.bitDepth == 2 && lastPass) Widen2To4(buffer, layout.width);
      std::memcpy(row, buffer, stride);
    }
  }
}

bool ReadImage(PngSession& session) {
  png_structp png = session.png;
  DibImage& image = *session.image;
  png_read_info(png, session.info);
  PngLayout layout{};
  png_get_IHDR(png, session.info, &layout.width, &layout.height, &layout.bitDepth,
               &layout.colorType, &layout.interlace, nullptr, nullptr);
  layout.pixelDepth = layout.bitDepth * png_get_channels(png, session.info);

  SetBackground(session, layout);
  if (layout.bitDepth == 16) png_set_strip_16(png);
  const int depth = layout.pixelDepth > 16 ? 24 : layout.pixelDepth == 16 ? 8 : layout.pixelDepth;
  if (image.Create(static_cast<int>(layout.width), static_cast<int>(layout.height), depth,
                   DibImage::kFormatPng) == nullptr) {
    image.SetLastError(kNoMemory);
    return false;
  }
  SetPalette(session, layout);
  ApplyTransparency(session);

  const bool withAlpha = layout.colorType == PNG_COLOR_TYPE_RGB_ALPHA ||
                         (layout.colorType == PNG_COLOR_TYPE_GRAY_ALPHA && layout.pixelDepth == 32);
  if (withAlpha) {
    if (layout.colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
      png_set_gray_to_rgb(png);
      png_set_expand(png);
    }
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    if (!image.AlphaCreate()) {
      image.SetLastError(kNoMemory);
      return false;
    }
  }
  if ((layout.colorType & PNG_COLOR_MASK_COLOR) != 0) png_set_bgr(png);

  const size_t rowSize = size_t((layout.pixelDepth + 7) / 8) * layout.width + kRowSlack;
  if (!AllocateRowBuffer(session, rowSize)) return false;
  const int passes = layout.interlace != PNG_INTERLACE_NONE ? png_set_interlace_handling(png) : 1;
  ReadRows(session, layout, passes);
  png_read_end(png, nullptr);
  return true;
}

bool ReadGuarded(PngSession* session) {
  if (setjmp(png_jmpbuf(session->png)) != 0) return false;
  return ReadImage(*session);
}

// --- Writing ------------------------------------------------------------------

void SetHeader(PngSession& session, int bitDepth, int colorType) {
  const DibImage& image = *session.image;
  png_set_IHDR(session.png, session.info, static_cast<png_uint_32>(image.Width()),
               static_cast<png_uint_32>(image.Height()), bitDepth, colorType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
}

// The file can only say "index 0 is transparent" with one entry, so the
// transparent entry is moved to 0 first, in the caller's picture as well.
int PrepareTransparency(DibImage& image, BYTE* opacity) {
  const DWORD colors = image.ColorsUsed();
  int count = 0;
  const int index = image.TransparentIndex();
  if (index >= 0 && static_cast<DWORD>(index) < colors) {
    if (index != 0) {
      image.SwapIndex(0, static_cast<BYTE>(index));
      image.SetTransparentIndex(0);
      if (image.GhostOwner() != nullptr) image.GhostOwner()->SetTransparentIndex(0);
    }
    opacity[0] = 0;
    count = 1;
  }
  if (image.AlphaPalette()) {
    const RGBQUAD* palette = image.Palette();
    for (DWORD i = 0; i < colors; ++i) opacity[i] = palette[i].rgbReserved;
    count = static_cast<int>(colors);
  }
  return count;
}

// Rows go out top first; stored rows run from the bottom.
bool WriteStoredRows(PngSession& session, bool swapRedBlue) {
  DibImage& image = *session.image;
  const size_t stride = image.RowStride();
  if (!AllocateRowBuffer(session, stride + kRowSlack)) return false;
  BYTE* buffer = session.rowBuffer;
  const int width = image.Width();
  for (int y = image.Height() - 1; y >= 0; --y) {
    std::memcpy(buffer, image.Row(y), stride);
    if (swapRedBlue) {
      for (int x = 0; x < width; ++x) std::swap(buffer[3 * x], buffer[3 * x + 2]);
    }
    png_write_row(session.png, buffer);
  }
  return true;
}

bool WritePalette(PngSession& session) {
  DibImage& image = *session.image;
  const DWORD colors = image.ColorsUsed();
  SetHeader(session, image.BitCount(), PNG_COLOR_TYPE_PALETTE);
  BYTE opacity[PNG_MAX_PALETTE_LENGTH];
  const int opacityCount = PrepareTransparency(image, opacity);
  png_color entries[PNG_MAX_PALETTE_LENGTH];
  const RGBQUAD* palette = image.Palette();
  for (DWORD i = 0; i < colors; ++i)
    entries[i] = png_color{palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue};
  png_set_PLTE(session.png, session.info, entries, static_cast<int>(colors));
  if (opacityCount > 0) png_set_tRNS(session.png, session.info, opacity, opacityCount, nullptr);
  png_write_info(session.png, session.info);
  return WriteStoredRows(session, false);
}

bool WriteRgb(PngSession& session) {
  SetHeader(session, 8, PNG_COLOR_TYPE_RGB);
  png_write_info(session.png, session.info);
  return WriteStoredRows(session, true);
}

// One row of RGBA: colours from the picture (palette resolved), opacity
// from the alpha plane or opaque; a pixel of the key colour is transparent.
void FillRgbaRow(const DibImage& image, int y, const RGBQUAD* key, BYTE* out) {
  const int width = image.Width();
  const BYTE* alpha = image.HasAlpha() ? image.AlphaPlane() + size_t(y) * size_t(width) : nullptr;
  const BYTE* pixel = image.BitCount() == 24 ? image.Row(y) : nullptr;
  for (int x = 0; x < width; ++x, out += 4) {
    RGBQUAD color;
    if (pixel != nullptr) {
      color.rgbBlue = pixel[3 * x];
      color.rgbGreen = pixel[3 * x + 1];
      color.rgbRed = pixel[3 * x + 2];
    } else {
      color = image.GetPixelColor(x, y);
    }
    BYTE opacity = alpha != nullptr ? alpha[x] : 255;
    if (key != nullptr && color.rgbRed == key->rgbRed && color.rgbGreen == key->rgbGreen &&
        color.rgbBlue == key->rgbBlue)
      opacity = 0;
    out[0] = color.rgbRed;
    out[1] = color.rgbGreen;
    out[2] = color.rgbBlue;
    out[3] = opacity;
  }
}

// RGBA from the alpha plane; a 24-bit picture keyed by its background colour
// (transparent index set) is opaque except where that colour is.
bool WriteRgba(PngSession& session, bool keyed) {
  DibImage& image = *session.image;
  SetHeader(session, 8, PNG_COLOR_TYPE_RGB_ALPHA);
  png_write_info(session.png, session.info);
  if (!AllocateRowBuffer(session, size_t(image.Width()) * 4 + kRowSlack)) return false;
  const RGBQUAD key = image.GetTransColor();
  for (int y = image.Height() - 1; y >= 0; --y) {
    FillRgbaRow(image, y, keyed ? &key : nullptr, session.rowBuffer);
    png_write_row(session.png, session.rowBuffer);
  }
  return true;
}

bool WriteImage(PngSession& session) {
  DibImage& image = *session.image;
  const bool keyed = image.BitCount() == 24 && image.TransparentIndex() >= 0;
  bool written = false;
  if (image.HasAlpha() || keyed)
    written = WriteRgba(session, keyed);
  else if (image.Palette() != nullptr)
    written = WritePalette(session);
  else
    written = WriteRgb(session);
  if (written) png_write_end(session.png, session.info);
  return written;
}

bool WriteGuarded(PngSession* session) {
  if (setjmp(png_jmpbuf(session->png)) != 0) return false;
  return WriteImage(*session);
}

}  // namespace

PngCodec::PngCodec(ImageStream& stream, DibImage& image) : stream_(stream), image_(image) {}

bool PngCodec::Fail(const char* message) {
  image_.SetLastError(message);
  return false;
}

bool PngCodec::Read() {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return Fail(kNoStruct);
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return Fail(kNoInfo);
  }
  png_set_error_fn(png, &image_, OnError, OnWarning);
  png_set_read_fn(png, &stream_, OnRead);
  PngSession session{&stream_, &image_, png, info, nullptr};
  const bool read = ReadGuarded(&session);
  delete[] session.rowBuffer;
  png_destroy_read_struct(&session.png, &session.info, nullptr);
  return read;
}

bool PngCodec::Write() {
  if (!image_.IsValid()) return Fail(kSaveFailed);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return Fail(kNoStruct);
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return Fail(kNoInfo);
  }
  png_set_error_fn(png, &image_, OnError, OnWarning);
  png_set_write_fn(png, &stream_, OnWrite, OnFlush);
  PngSession session{&stream_, &image_, png, info, nullptr};
  const bool written = WriteGuarded(&session);
  delete[] session.rowBuffer;
  png_destroy_write_struct(&session.png, &session.info);
  return written || Fail(kSaveFailed);
}
