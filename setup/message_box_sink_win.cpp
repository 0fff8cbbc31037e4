#include "setup/message_box_sink_win.h"

#include <windows.h>

void MessageBoxSink::ShowMessage(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK);
}

void MessageBoxSink::ShowWideMessage(const wchar_t* text, const wchar_t* caption) {
  MessageBoxW(nullptr, text, caption, MB_OK);
}
