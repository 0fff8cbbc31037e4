#include "editor/qorva_editor_app.h"

#include <new>

#include "editor/main_frame.h"
#include "editor/resource.h"
#include "ui/common_controls.h"

CQorvaEditorApp::CQorvaEditorApp() : CWinApp(kTitle) {}

BOOL CQorvaEditorApp::InitInstance() {
  EnsureCommonControls();
  SetRegistryKey(kRegistryKey);
  CMainFrame* frame = new (std::nothrow) CMainFrame;
  if (frame == nullptr) return FALSE;
  // On failure the frame has deleted itself with its window.
  if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, kTitle)) return FALSE;
  m_pMainWnd = frame;
  frame->ShowWindow(SW_SHOW);
  frame->UpdateWindow();
  return TRUE;
}
