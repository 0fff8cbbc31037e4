// setup_answerer PROGRAM [SECONDS]
//
// Runs a GUI program the way a user would and answers every message box it
// shows with OK. Prints one line per box, "box <caption>|<text>" (line feeds
// written as \n, UTF-8), then "exit <code>" with the program's exit code as a
// signed number. Exit status: 0 when the program ended by itself, 1 when it
// could not be started, 2 when it was still running after SECONDS (default 60)
// and had to be killed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size,
                      nullptr, nullptr);
  return out;
}

std::wstring WindowText(HWND window) {
  if (window == nullptr) return std::wstring();
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(window, &text[0], length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

std::string EscapeLineFeeds(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out;
}

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<BoxSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") != 0) return TRUE;
  search->found = window;
  return FALSE;
}

// The message text of a system message box is the static control 0xFFFF.
void AnswerMessageBox(HWND box) {
  std::string caption = ToUtf8(WindowText(box));
  std::string text = ToUtf8(WindowText(GetDlgItem(box, 0xFFFF)));
  std::printf("box %s|%s\n", EscapeLineFeeds(caption).c_str(), EscapeLineFeeds(text).c_str());
  std::fflush(stdout);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  for (int waited = 0; IsWindow(box) && waited < 5000; waited += 20) Sleep(20);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: setup_answerer PROGRAM [SECONDS]\n");
    return 1;
  }
  const DWORD limitMs = static_cast<DWORD>((argc > 2 ? std::atoi(argv[2]) : 60) * 1000);
  std::string commandLine = std::string("\"") + argv[1] + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "%s: cannot start (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  CloseHandle(process.hThread);

  const DWORD started = GetTickCount();
  while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
    if (GetTickCount() - started > limitMs) {
      TerminateProcess(process.hProcess, 3);
      std::fprintf(stderr, "%s: still running after %lu ms, killed\n", argv[1], limitMs);
      CloseHandle(process.hProcess);
      return 2;
    }
    BoxSearch search = {process.dwProcessId, nullptr};
    EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) AnswerMessageBox(search.found);
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  std::printf("exit %d\n", static_cast<int>(code));
  return 0;
}
