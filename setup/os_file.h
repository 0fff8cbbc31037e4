// The few operating-system file and folder calls the installer core needs,
// behind one small seam: Windows builds use the Win32 calls, native builds the
// POSIX ones (where "\" in a path is read as "/"), so the payload and
// extraction code runs and is tested on both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace os_file {

using Handle = intptr_t;
constexpr Handle kInvalidHandle = -1;

enum SeekOrigin { kSeekStart = 0, kSeekCurrent = 1, kSeekEnd = 2 };

// `flags` are the installer's open flags: 0x02 write access, (flags >> 2) & 3
// share mode, flags & 0x30 creation disposition, 0x40/0x80 access hints.
Handle Open(const wchar_t* path, unsigned flags);
Handle Open(const char* path, unsigned flags);
void Close(Handle handle);

// Bytes transferred; short counts mean end of file or an error.
size_t Read(Handle handle, void* buffer, size_t size);
size_t Write(Handle handle, const void* buffer, size_t size);

// New position, or -1 on failure.
int64_t Seek(Handle handle, int64_t offset, SeekOrigin origin);
// File size, or -1 on failure.
int64_t Size(Handle handle);

bool IsDirectory(const char* path);
// True when the directory was created; *already_exists tells that failure
// apart from the others.
bool MakeDirectory(const char* path, bool* already_exists);
bool RemoveFile(const char* path);

// Writes what the system still buffers for the file to the disk.
bool Flush(Handle handle);
// Moves `from` over `to` in one step, replacing an existing `to`: a reader
// sees either the old file or the new one, never a mix.
bool MoveOver(const wchar_t* from, const wchar_t* to);
bool RemoveFile(const wchar_t* path);

// ANSI text (the system code page) as wide text, and back (characters the
// code page lacks become its default character). Native builds take Latin-1
// for the code page.
std::wstring WidenAnsi(const char* text);
std::string NarrowAnsi(const wchar_t* text);

// Full path of the running executable in wide form, of any length (an
// installer saved in a folder whose name the ANSI code page cannot hold, or
// deep in a long path, still finds itself).
bool OwnExecutablePath(std::wstring* path);

}  // namespace os_file
