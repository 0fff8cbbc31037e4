// CDialog: a modal dialog from a resource template. DoModal runs it;
// OnInitDialog loads the members into the controls (UpdateData(FALSE)); OK
// saves and validates them (UpdateData(TRUE)) and ends the dialog only when
// that succeeds; Cancel ends it. Right after OnInitDialog the prompt seam's
// DialogShown(dialog) runs, so tests can drive the real dialog.
//
// The dialog window is subclassed on WM_INITDIALOG: WindowProc sees every
// message from then on (not WM_CREATE or the first WM_SETFONT).
//
// Control notifications arrive as OnCmdMsg(id, notification code, nullptr)
// (BN_CLICKED is CN_COMMAND, so command tables see button clicks); override
// OnCommand or WindowProc for anything else.
#pragma once

#include "ui/cdata_exchange.h"
#include "ui/cwnd.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);

  // IDOK, IDCANCEL (or the EndDialog value); -1 when the dialog could not
  // be created.
  virtual INT_PTR DoModal();
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  void EndDialog(int result);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* dx);

  BOOL HandleCmdMsg(UINT id, int code, CCmdUI* ui) override;

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 private:
  friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

INT_PTR CALLBACK AfxDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
