// Where the installer's fixed-text message boxes go. The program shows them
// with the platform's message box (no owner, one OK button); tests answer
// them in memory so nothing waits for a person.
#pragma once

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Narrow (ANSI) box.
  virtual void ShowMessage(const char* text, const char* caption) = 0;
  // Wide-character box.
  virtual void ShowWideMessage(const wchar_t* text, const wchar_t* caption) = 0;
};
