#include "ui/modal_prompts.h"

#include "ui/afx_ids.h"
#include "ui/cfile_dialog.h"
#include "ui/cwin_app.h"
#include "ui/cwnd.h"
#include "ui/resource_strings.h"

namespace {

ModalPrompts g_systemPrompts;
ModalPrompts* g_prompts = nullptr;

}  // namespace

int ModalPrompts::ShowMessage(HWND owner, const std::string& text, const std::string& caption,
                              UINT type) {
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

bool ModalPrompts::AskFileName(CFileDialog& dialog) { return dialog.RunSystemDialog(); }

void ModalPrompts::DialogShown(CDialog&) {}

void SetModalPrompts(ModalPrompts* prompts) { g_prompts = prompts; }

ModalPrompts& GetModalPrompts() { return g_prompts != nullptr ? *g_prompts : g_systemPrompts; }

int AfxMessageBox(const std::string& text, UINT type) {
  CWinApp* app = AfxGetApp();
  HWND owner = nullptr;
  if (app != nullptr && app->m_pMainWnd != nullptr) owner = app->m_pMainWnd->GetSafeHwnd();
  std::string caption = app != nullptr ? app->m_strAppName : std::string();
  if (caption.empty()) caption = LoadResourceString(AFX_IDS_APP_TITLE);
  return GetModalPrompts().ShowMessage(owner, text, caption, type);
}

int AfxMessageBox(UINT promptId, UINT type) {
  return AfxMessageBox(LoadResourceString(promptId), type);
}
