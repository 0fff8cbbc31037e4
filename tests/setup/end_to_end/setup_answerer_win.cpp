// setup_answerer [--temp FOLDER] PROGRAM [SECONDS [WINDOW_TITLE]]
//
// Runs a GUI program the way a user would and answers every message box it
// shows with OK. Prints one line per box, "box <caption>|<text>" (line feeds
// written as \n, UTF-8), then "exit <code>" with the program's exit code as a
// signed number. Exit status: 0 when the program ended by itself, 1 when it
// could not be started, 2 when it was still running after SECONDS (default 60)
// and had to be killed.
//
// With WINDOW_TITLE it also waits for the program's top-level window of that
// title and prints "window <title>"; then, for the temporary folder
// "trvxtmp~<n>" that appeared since the start, "folder trvxtmp~<n> holds
// <file names, sorted>"; then presses Escape in the window. After the program
// ends it prints "folder trvxtmp~<n> removed" or "... left"; without a window
// seen, a "trvxtmp~<n>" folder that appeared and is still there after the end
// is printed as "folder trvxtmp~<n> left".
//
// --temp FOLDER points TMP and TEMP at FOLDER, for this process and the
// program it starts, so the program's temporary folders go there.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

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

struct TitleSearch {
  DWORD processId;
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK FindTitledWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<TitleSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (WindowText(window) != *search->title) return TRUE;
  search->found = window;
  return FALSE;
}

std::string TempFolder() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

// Names in `folder` matching `pattern`, folders only or files only.
std::vector<std::string> List(const std::string& folder, const char* pattern, bool folders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::string name = found.cFileName;
    if (isFolder == folders && name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> TemporaryFolders() { return List(TempFolder(), "trvxtmp~*", true); }

// The folder made since `before`, or empty.
std::string NewFolder(const std::vector<std::string>& before) {
  for (const std::string& name : TemporaryFolders()) {
    if (std::find(before.begin(), before.end(), name) == before.end()) return name;
  }
  return std::string();
}

void ReportFolder(const std::string& name) {
  std::string line = "folder " + name + " holds";
  for (const std::string& file : List(TempFolder() + name + "\\", "*", false)) line += " " + file;
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "--temp") {
    // GetTempPath reads TMP first, then TEMP; both go to the child as well.
    SetEnvironmentVariableA("TMP", argv[2]);
    SetEnvironmentVariableA("TEMP", argv[2]);
    argc -= 2;
    argv += 2;
  }
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: setup_answerer [--temp FOLDER] PROGRAM [SECONDS [WINDOW_TITLE]]\n");
    return 1;
  }
  const DWORD limitMs = static_cast<DWORD>((argc > 2 ? std::atoi(argv[2]) : 60) * 1000);
  std::wstring title;
  if (argc > 3) {
    const std::string narrow = argv[3];
    title.assign(narrow.begin(), narrow.end());
  }
  const std::vector<std::string> foldersBefore = TemporaryFolders();
  std::string folder;
  bool windowSeen = false;
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
    if (!title.empty() && !windowSeen) {
      TitleSearch window = {process.dwProcessId, &title, nullptr};
      EnumWindows(FindTitledWindow, reinterpret_cast<LPARAM>(&window));
      if (window.found != nullptr) {
        windowSeen = true;
        std::printf("window %s\n", ToUtf8(title).c_str());
        folder = NewFolder(foldersBefore);
        if (!folder.empty()) ReportFolder(folder);
        // The key goes through the program's message loop, as a user's would.
        Sleep(500);
        PostMessageW(window.found, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(window.found, WM_KEYUP, VK_ESCAPE, 0xC0000001);
      }
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  if (!folder.empty()) {
    const bool gone =
        GetFileAttributesA((TempFolder() + folder).c_str()) == INVALID_FILE_ATTRIBUTES;
    std::printf("folder %s %s\n", folder.c_str(), gone ? "removed" : "left");
  } else {
    const std::string left = NewFolder(foldersBefore);
    if (!left.empty()) std::printf("folder %s left\n", left.c_str());
  }
  std::printf("exit %d\n", static_cast<int>(code));
  return 0;
}
