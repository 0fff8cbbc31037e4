// MessageSink over the platform's message box.
#pragma once

#include "setup/message_sink.h"

class MessageBoxSink : public MessageSink {
 public:
  void ShowMessage(const char* text, const char* caption) override;
  void ShowWideMessage(const wchar_t* text, const wchar_t* caption) override;
};
