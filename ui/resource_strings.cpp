#include "ui/resource_strings.h"

#include "ui/cwin_app.h"

HINSTANCE AfxGetResourceHandle() {
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_hInstance != nullptr) return app->m_hInstance;
  return ::GetModuleHandleA(nullptr);
}

std::string LoadResourceString(UINT id) {
  // String-table entries are at most 4097 characters long.
  char buffer[4098];
  const int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

std::string CommandPrompt(UINT id) {
  const std::string text = LoadResourceString(id);
  return text.substr(0, text.find('\n'));
}

std::string CommandTip(UINT id) {
  const std::string text = LoadResourceString(id);
  const size_t lineBreak = text.find('\n');
  return lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
}
