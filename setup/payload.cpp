#include "setup/payload.h"

#include <string>

#include "setup/os_file.h"
#include "setup/package_archive.h"
#include "setup/payload_locator.h"

namespace {

enum class OpenState { kNotTried, kOpen, kFailed };

OpenState g_state = OpenState::kNotTried;
PayloadFile g_payload;

}  // namespace

const char* PayloadStatusText(PayloadStatus status) {
  switch (status) {
    case PayloadStatus::kOk:
      return "payload ok";
    case PayloadStatus::kUnreadable:
      return "file unreadable";
    case PayloadStatus::kNoTrailer:
      return "no trailer";
    case PayloadStatus::kLengthOutOfRange:
      return "length out of range";
    case PayloadStatus::kChecksumMismatch:
      return "checksum mismatch";
    case PayloadStatus::kUnreadableDirectory:
      return "unreadable directory";
  }
  return "unknown";
}

namespace {

template <typename Char>
PayloadStatus OpenPayloadFileAt(const Char* path, PayloadFile* out) {
  ClosePayloadFile(out);
  if (!out->file.OpenFile(path, stream_flags::kOwnExecutable) || !out->file.ReadWholeFile()) {
    ClosePayloadFile(out);
    return PayloadStatus::kUnreadable;
  }
  PayloadLocation location;
  const PayloadStatus status =
      LocatePayload(out->file.WholeFileData(), out->file.WholeFileSize(), &location);
  if (status != PayloadStatus::kOk ||
      !out->memory.AttachWholeFileRange(out->file, location.archive_offset,
                                        location.archive_length)) {
    ClosePayloadFile(out);
    return status != PayloadStatus::kOk ? status : PayloadStatus::kUnreadable;
  }
  out->archive = PackageArchive::Create();
  if (out->archive) out->archive->AddRef();
  if (!out->archive || !out->archive->OpenStream(&out->memory)) {
    ClosePayloadFile(out);
    return PayloadStatus::kUnreadableDirectory;
  }
  out->archive_offset = location.archive_offset;
  out->archive_length = location.archive_length;
  out->behind_signature = location.behind_signature;
  return PayloadStatus::kOk;
}

}  // namespace

PayloadStatus OpenPayloadFile(const wchar_t* path, PayloadFile* out) {
  return OpenPayloadFileAt(path, out);
}

PayloadStatus OpenPayloadFile(const char* path, PayloadFile* out) {
  return OpenPayloadFileAt(path, out);
}

void ClosePayloadFile(PayloadFile* payload) {
  if (payload->archive) payload->archive->Release();
  payload->archive = nullptr;
  payload->memory.Close();
  payload->file.Close();
  payload->archive_offset = 0;
  payload->archive_length = 0;
  payload->behind_signature = false;
}

bool OpenPayload() {
  if (g_state == OpenState::kNotTried) {
    std::wstring path;
    const bool opened = os_file::OwnExecutablePath(&path) &&
                        OpenPayloadFile(path.c_str(), &g_payload) == PayloadStatus::kOk;
    g_state = opened ? OpenState::kOpen : OpenState::kFailed;
  }
  return g_state == OpenState::kOpen;
}

void ClosePayload() { ClosePayloadFile(&g_payload); }

PackageArchive* PayloadArchive() { return g_payload.archive; }
