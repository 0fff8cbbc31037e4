// The field encodings the skin file is built from, shared by the container
// and object records: name lines, packed property blocks and embedded PNG
// pictures, beside the little-endian integers of imaging/stdio_fields.h.
//
// Writers report every short or failed write. Readers take the file as
// hostile: a length or count the rest of the file cannot hold fails before
// anything is allocated for it, and a short read fails the field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "imaging/dib_image.h"
#include "imaging/stdio_fields.h"
#include "imaging/win32_types.h"

namespace skin_file {

// Longest name line text (without CR LF) that reads back whole: the reader's
// line buffer holds 511 bytes, and CR LF must fit in it.
constexpr size_t kMaxNameLineText = 509;
constexpr size_t kPackedBlockSize = 256;

using stdio_fields::MayHold;
using stdio_fields::ReadByte;
using stdio_fields::ReadBytes;
using stdio_fields::ReadI16;
using stdio_fields::ReadI32;
using stdio_fields::ReadU32;
using stdio_fields::WriteByte;
using stdio_fields::WriteBytes;
using stdio_fields::WriteI16;
using stdio_fields::WriteI32;
using stdio_fields::WriteU32;

// Whether text can be written as a name line and read back: no LF (it would
// end the line), no NUL (it would end the text), at most kMaxNameLineText.
bool IsWritableNameLine(const std::string& text);
// Writes text, CR LF; fails for text IsWritableNameLine refuses.
bool WriteNameLine(std::FILE* file, const std::string& text);
// Reads up to 511 bytes, stopping after the first LF, and strips white
// space from both ends. The text ends at a NUL byte. Fails only at the end
// of the file before any byte.
bool ReadNameLine(std::FILE* file, std::string& text);
// Leading and trailing space, TAB, CR, LF, vertical tab and form feed removed.
std::string StripWhiteSpace(const std::string& text);

// A packed block: u32 length, then the 256 bytes as one zlib stream at
// level 9. Reading fails for length 0, a stream that does not inflate to
// exactly 256 bytes, or bytes the file does not hold.
bool WritePackedBlock(std::FILE* file, const BYTE* block);
bool ReadPackedBlock(std::FILE* file, BYTE* block);

// One picture: byte 0 for an empty image, else byte 1 and a PNG datastream.
// The encoder works on the image itself, hence not const.
bool WriteImage(std::FILE* file, DibImage& image);
// Reads what WriteImage wrote into a new image (empty for byte 0); null on
// failure.
std::unique_ptr<DibImage> ReadImage(std::FILE* file);
// Decodes a PNG datastream at the current position into image. A datastream
// whose header asks for more pixel bytes than the rest of the file can
// inflate to fails before the decoder allocates the picture.
bool ReadPng(std::FILE* file, DibImage& image);

// The first bytes of a PNG datastream: signature, IHDR length and type,
// width, height, bit depth and colour type.
constexpr size_t kPngHeadSize = 26;
// Whether a datastream starting with head could hold its picture within
// bytesLeft bytes: deflate packs at most 1032 bytes into one, and every
// pixel is stored at least once. Heads that are not a PNG header pass (the
// decoder rejects them).
bool PngMayFitIn(const BYTE* head, uint64_t bytesLeft);

}  // namespace skin_file
