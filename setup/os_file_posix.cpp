// POSIX side of the file seam, for the native build; Windows builds use
// os_file_win.cpp and compile this file to nothing.
#ifndef _WIN32

#include "setup/os_file.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace os_file {
namespace {

// Installer paths use "\" separators.
std::string NativePath(const char* path) {
  std::string result(path);
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  return result;
}

void AppendUtf8(std::string* out, uint32_t c) {
  if (c < 0x80) {
    out->push_back(char(c));
  } else if (c < 0x800) {
    out->push_back(char(0xC0 | (c >> 6)));
    out->push_back(char(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(char(0xE0 | (c >> 12)));
    out->push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(char(0x80 | (c & 0x3F)));
  } else {
    out->push_back(char(0xF0 | (c >> 18)));
    out->push_back(char(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(char(0x80 | (c & 0x3F)));
  }
}

std::string Utf8(const wchar_t* text) {
  std::string narrow;
  for (; *text; ++text) AppendUtf8(&narrow, uint32_t(*text));
  return narrow;
}

// Native file names are UTF-8; a byte that does not start a valid sequence
// stands for itself.
std::wstring FromUtf8(const std::string& text) {
  std::wstring wide;
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    bool valid = i + extra < text.size() || extra == 0;
    for (size_t k = 1; valid && k <= extra; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid) {
      wide.push_back(wchar_t(lead));
      ++i;
      continue;
    }
    wide.push_back(wchar_t(code));
    i += extra + 1;
  }
  return wide;
}

int OpenMode(unsigned flags) {
  int mode = (flags & 0x02) ? O_RDWR : O_RDONLY;
  switch (flags & 0x30) {
    case 0x00:
      mode |= O_CREAT | O_EXCL;
      break;
    case 0x10:
      mode |= O_CREAT | O_TRUNC;
      break;
    case 0x20:
      break;
    default:
      mode |= O_CREAT;
      break;
  }
  return mode | O_CLOEXEC;
}

}  // namespace

Handle Open(const wchar_t* path, unsigned flags) { return Open(Utf8(path).c_str(), flags); }

Handle Open(const char* path, unsigned flags) {
  const int fd = ::open(NativePath(path).c_str(), OpenMode(flags), 0644);
  if (fd < 0) return kInvalidHandle;
  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return kInvalidHandle;
  }
  return fd;
}

void Close(Handle handle) {
  if (handle != kInvalidHandle) ::close(int(handle));
}

size_t Read(Handle handle, void* buffer, size_t size) {
  size_t total = 0;
  while (total < size) {
    const ssize_t got = ::read(int(handle), static_cast<char*>(buffer) + total, size - total);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    total += size_t(got);
  }
  return total;
}

size_t Write(Handle handle, const void* buffer, size_t size) {
  size_t total = 0;
  while (total < size) {
    const ssize_t put =
        ::write(int(handle), static_cast<const char*>(buffer) + total, size - total);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    total += size_t(put);
  }
  return total;
}

int64_t Seek(Handle handle, int64_t offset, SeekOrigin origin) {
  static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  const off_t result = ::lseek(int(handle), off_t(offset), kWhence[origin]);
  return result < 0 ? -1 : int64_t(result);
}

int64_t Size(Handle handle) {
  struct stat info;
  if (fstat(int(handle), &info) != 0) return -1;
  return int64_t(info.st_size);
}

bool IsDirectory(const char* path) {
  struct stat info;
  return stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectory(const char* path, bool* already_exists) {
  const bool made = ::mkdir(NativePath(path).c_str(), 0755) == 0;
  *already_exists = !made && errno == EEXIST;
  return made;
}

bool RemoveFile(const char* path) { return ::unlink(NativePath(path).c_str()) == 0; }

// Native builds treat narrow text as Latin-1, enough for the ASCII paths and
// names the tests use.
std::wstring WidenAnsi(const char* text) {
  std::wstring result;
  for (; *text; ++text) result.push_back(wchar_t(static_cast<unsigned char>(*text)));
  return result;
}

std::string NarrowAnsi(const wchar_t* text) {
  std::string result;
  for (; *text; ++text) result.push_back(*text <= 0xFF ? char(*text) : '?');
  return result;
}

bool Flush(Handle handle) { return ::fsync(int(handle)) == 0; }

bool MoveOver(const wchar_t* from, const wchar_t* to) {
  return ::rename(NativePath(Utf8(from).c_str()).c_str(), NativePath(Utf8(to).c_str()).c_str()) ==
         0;
}

bool RemoveFile(const wchar_t* path) { return RemoveFile(Utf8(path).c_str()); }

bool OwnExecutablePath(std::wstring* path) {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", &buffer[0], buffer.size());
    if (length <= 0) return false;
    if (size_t(length) < buffer.size()) {
      buffer.resize(size_t(length));
      break;
    }
    if (buffer.size() >= (size_t(1) << 20)) return false;
    buffer.resize(buffer.size() * 2);
  }
  *path = FromUtf8(buffer);
  return true;
}

}  // namespace os_file

#endif  // _WIN32
