#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "setup/os_file.h"
#include "setup/package_archive.h"
#include "setup/payload.h"
#include "tests/setup/payload_fixtures.h"

// setup.exe finds its payload through its own path. This test copies the test
// program itself, with a payload appended, into a folder whose name the ANSI
// code page cannot hold, starts that copy and lets it open its payload the
// way setup.exe does. (Paths longer than 260 characters are read the same
// way, but Wine cannot start a program from one.)

namespace {

constexpr wchar_t kChildVariable[] = L"QORVA_OWN_PAYLOAD_REPORT";
const std::string kChildPayloadText = "payload read through the own path";

std::wstring EnvironmentW(const wchar_t* name) {
  std::vector<wchar_t> value(32768);
  const DWORD length = GetEnvironmentVariableW(name, value.data(), DWORD(value.size()));
  return length < value.size() ? std::wstring(value.data(), length) : std::wstring();
}

// "\\?\" lets the file calls take paths of any length.
std::wstring Extended(const std::wstring& path) { return L"\\\\?\\" + path; }

bool WriteWholeFile(const std::wstring& path, const payload_test::Bytes& bytes) {
  HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string text(4096, '\0');
  DWORD got = 0;
  ReadFile(file, &text[0], DWORD(text.size()), &got, nullptr);
  CloseHandle(file);
  text.resize(got);
  return text;
}

// The folders from `base` down to `folder`, created one by one; removed again
// (with the two files placed in the deepest) when the test ends.
class WideFolder {
 public:
  WideFolder(const std::wstring& base, const std::vector<std::wstring>& levels) {
    std::wstring path = base;
    for (const std::wstring& level : levels) {
      path += L"\\" + level;
      CreateDirectoryW(Extended(path).c_str(), nullptr);
      created_.push_back(path);
    }
  }
  ~WideFolder() {
    for (const wchar_t* name : {L"\\setup.exe", L"\\report.txt"}) {
      DeleteFileW(Extended(path() + name).c_str());
    }
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
      RemoveDirectoryW(Extended(*it).c_str());
    }
  }
  const std::wstring& path() const { return created_.back(); }

 private:
  std::vector<std::wstring> created_;
};

std::wstring TempFolderW() {
  wchar_t temp[MAX_PATH + 1] = L"";
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  std::wstring path(temp, length);
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

// Places this program with a payload in `folder`, runs it there and returns
// what it read from its payload.
std::string RunCopyIn(const std::wstring& folder) {
  std::wstring self;
  if (!os_file::OwnExecutablePath(&self)) return "<no own path>";
  payload_test::Bytes program;
  {
    HANDLE file = CreateFileW(self.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<own program unreadable>";
    program.resize(GetFileSize(file, nullptr));
    DWORD got = 0;
    ReadFile(file, program.data(), DWORD(program.size()), &got, nullptr);
    CloseHandle(file);
  }
  const payload_test::Bytes zip = payload_test::MakeZip({{"index", kChildPayloadText}});
  const std::wstring copy = folder + L"\\setup.exe";
  if (!WriteWholeFile(copy, payload_test::MakeSetupFile(zip, program))) return "<copy not written>";

  const std::wstring report = folder + L"\\report.txt";
  SetEnvironmentVariableW(kChildVariable, report.c_str());
  std::wstring command = L"\"" + copy + L"\" --gtest_filter=OwnExecutableChild.*";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessW(copy.c_str(), &command[0], nullptr, nullptr, FALSE, 0,
                                      nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(kChildVariable, nullptr);
  if (!started) return "<copy did not start: " + std::to_string(GetLastError()) + ">";
  WaitForSingleObject(process.hProcess, 60000);
  DWORD exit_code = 1;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  const std::string read = ReadWholeFile(report);
  return exit_code == 0 ? read : "<copy failed with " + std::to_string(exit_code) + ">" + read;
}

TEST(OwnExecutable, PayloadIsFoundInAFolderTheAnsiCodePageCannotName) {
  const std::wstring name = L"qorva_\u0438\u043d\u0441\u0442\u0430\u043b\u043b_\u5b89\u88c5";
  BOOL lost = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, nullptr, 0, nullptr, &lost);
  if (!lost) GTEST_SKIP() << "this system's ANSI code page holds the folder name";
  WideFolder folder(TempFolderW(), {name});
  EXPECT_EQ(kChildPayloadText, RunCopyIn(folder.path()));
}

// Runs only inside the copies started above: opens the payload as setup.exe
// does and writes the entry it read where the starting test looks.
TEST(OwnExecutableChild, OpensItsOwnPayload) {
  const std::wstring report = EnvironmentW(kChildVariable);
  if (report.empty()) GTEST_SKIP() << "runs in the copies started by the OwnExecutable tests";
  ASSERT_TRUE(OpenPayload());
  uint8_t* bytes = nullptr;
  const uint32_t size = PayloadArchive()->ReadEntry("index", &bytes);
  ASSERT_GT(size, 0u);
  payload_test::Bytes text(bytes, bytes + size);
  PayloadArchive()->FreeBuffer(bytes);
  ClosePayload();
  ASSERT_TRUE(WriteWholeFile(report, text));
}

}  // namespace
