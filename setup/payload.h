// The installer's own payload: the zip archive appended to setup.exe, followed
// by the 24-byte trailer. Opened once at start-up and held until the end of the
// run; every archive read goes through the one PackageArchive it creates.
#pragma once

#include <cstddef>
#include <cstdint>

#include "setup/data_stream.h"

class PackageArchive;

// Why a payload could not be opened; mkinstaller prints these, setup.exe only
// needs to know whether it is kOk.
enum class PayloadStatus {
  kOk = 0,
  kUnreadable,          // the file could not be opened or read
  kNoTrailer,           // no "CorvanaInstaller" trailer at the end (or before a signature)
  kLengthOutOfRange,    // the archive length exceeds the bytes before the trailer
  kChecksumMismatch,    // CRC-32/MPEG-2 of the archive differs from the trailer's
  kUnreadableDirectory  // the zip directory could not be read
};

// Fixed English text for a status, e.g. "checksum mismatch".
const char* PayloadStatusText(PayloadStatus status);

// Opens the payload of the running executable. Does the work on the first call
// only; later calls return the stored outcome.
bool OpenPayload();

// Releases the archive, its memory stream and the executable's buffer.
// Safe to call when OpenPayload failed or was never called.
void ClosePayload();

// The archive opened by OpenPayload, or null. Not add-referenced: holders that
// keep it beyond ClosePayload must AddRef it themselves (the bytes it reads
// stay alive as long as it does).
PackageArchive* PayloadArchive();

// The same steps as OpenPayload for any file (wide or ANSI path); used by
// OpenPayload itself and by `mkinstaller verify`, so both judge a file the
// same way.
// The archive reads the file's bytes in place from `file`'s whole-file buffer.
struct PayloadFile {
  DataStream file;                    // the file, holding its bytes in the whole-file buffer
  DataStream memory;                  // the archive bytes inside that buffer (sharing it)
  PackageArchive* archive = nullptr;  // one reference owned
  size_t archive_offset = 0;
  uint32_t archive_length = 0;
  bool behind_signature = false;
};
PayloadStatus OpenPayloadFile(const wchar_t* path, PayloadFile* out);
PayloadStatus OpenPayloadFile(const char* path, PayloadFile* out);
// Releases the archive, the memory stream and the file's buffer, in that order.
void ClosePayloadFile(PayloadFile* payload);
