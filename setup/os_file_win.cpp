#include "setup/os_file.h"

#include <windows.h>

#include <vector>

#include "setup/system_services.h"

namespace os_file {
namespace {

DWORD Access(unsigned flags) {
  // Write access also reads: the uninstall log is loaded and saved through
  // one write-enabled stream.
  return (flags & 0x02) ? (GENERIC_READ | GENERIC_WRITE) : GENERIC_READ;
}

DWORD Share(unsigned flags) { return (flags >> 2) & 3; }

DWORD Disposition(unsigned flags) {
  switch (flags & 0x30) {
    case 0x00:
      return CREATE_NEW;
    case 0x10:
      return CREATE_ALWAYS;
    case 0x20:
      return OPEN_EXISTING;
    default:
      return OPEN_ALWAYS;
  }
}

DWORD Attributes(unsigned flags) {
  if (flags & 0x40) return FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS;
  if (flags & 0x80) return FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN;
  return FILE_ATTRIBUTE_NORMAL;
}

Handle FromWin(HANDLE h) {
  return h == INVALID_HANDLE_VALUE ? kInvalidHandle : reinterpret_cast<Handle>(h);
}

HANDLE ToWin(Handle h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

std::string NarrowAnsi(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::vector<char> buffer(size_t(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, buffer.data(), size, nullptr, nullptr);
  return std::string(buffer.data());
}

Handle Open(const wchar_t* path, unsigned flags) {
  if (!UsesWideCalls()) return Open(NarrowAnsi(path).c_str(), flags);
  return FromWin(CreateFileW(path, Access(flags), Share(flags), nullptr, Disposition(flags),
                             Attributes(flags), nullptr));
}

Handle Open(const char* path, unsigned flags) {
  return FromWin(CreateFileA(path, Access(flags), Share(flags), nullptr, Disposition(flags),
                             Attributes(flags), nullptr));
}

void Close(Handle handle) {
  if (handle != kInvalidHandle) CloseHandle(ToWin(handle));
}

size_t Read(Handle handle, void* buffer, size_t size) {
  size_t total = 0;
  while (total < size) {
    const DWORD chunk = DWORD(size - total > 0x40000000 ? 0x40000000 : size - total);
    DWORD got = 0;
    if (!ReadFile(ToWin(handle), static_cast<char*>(buffer) + total, chunk, &got, nullptr) ||
        got == 0) {
      break;
    }
    total += got;
  }
  return total;
}

size_t Write(Handle handle, const void* buffer, size_t size) {
  size_t total = 0;
  while (total < size) {
    const DWORD chunk = DWORD(size - total > 0x40000000 ? 0x40000000 : size - total);
    DWORD put = 0;
    if (!WriteFile(ToWin(handle), static_cast<const char*>(buffer) + total, chunk, &put, nullptr) ||
        put == 0) {
      break;
    }
    total += put;
  }
  return total;
}

int64_t Seek(Handle handle, int64_t offset, SeekOrigin origin) {
  static const DWORD kMethods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER result;
  if (!SetFilePointerEx(ToWin(handle), distance, &result, kMethods[origin])) return -1;
  return result.QuadPart;
}

int64_t Size(Handle handle) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(ToWin(handle), &size)) return -1;
  return size.QuadPart;
}

bool IsDirectory(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const char* path, bool* already_exists) {
  const bool made = CreateDirectoryA(path, nullptr) != 0;
  *already_exists = !made && GetLastError() == ERROR_ALREADY_EXISTS;
  return made;
}

bool RemoveFile(const char* path) { return DeleteFileA(path) != 0; }

std::wstring WidenAnsi(const char* text) {
  std::wstring result;
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 1) return result;
  result.resize(size_t(length));
  MultiByteToWideChar(CP_ACP, 0, text, -1, &result[0], length);
  result.resize(size_t(length - 1));
  return result;
}

bool RemoveFile(const wchar_t* path) {
  if (!UsesWideCalls()) return DeleteFileA(NarrowAnsi(path).c_str()) != 0;
  return DeleteFileW(path) != 0;
}

bool Flush(Handle handle) { return FlushFileBuffers(ToWin(handle)) != 0; }

bool MoveOver(const wchar_t* from, const wchar_t* to) {
  if (UsesWideCalls()) {
    return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  // Windows 9x cannot rename over a file: the target goes first, which
  // leaves a moment without it.
  const std::string target = NarrowAnsi(to);
  DeleteFileA(target.c_str());
  return MoveFileA(NarrowAnsi(from).c_str(), target.c_str()) != 0;
}

bool OwnExecutablePath(std::wstring* path) {
  // The result is cut to the buffer's size (unterminated on older systems)
  // when the buffer is too small, so grow until it fits; paths stop at
  // 32767 characters.
  for (DWORD capacity = MAX_PATH + 1; capacity <= 0x10000; capacity *= 2) {
    if (!UsesWideCalls()) {
      std::string narrow(capacity, '\0');
      const DWORD length = GetModuleFileNameA(nullptr, &narrow[0], capacity);
      if (length == 0) return false;
      if (length >= capacity) continue;
      narrow.resize(length);
      *path = WidenAnsi(narrow.c_str());
      return true;
    }
    std::wstring buffer(capacity, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &buffer[0], capacity);
    if (length == 0) return false;
    if (length < capacity) {
      buffer.resize(length);
      *path = buffer;
      return true;
    }
  }
  return false;
}

}  // namespace os_file
