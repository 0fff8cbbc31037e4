#include "ui/cdialog.h"

#include "ui/command_map.h"
#include "ui/cwin_app.h"
#include "ui/modal_prompts.h"
#include "ui/resource_strings.h"

INT_PTR CALLBACK AfxDlgProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
  if (dialog == nullptr || !dialog->SubclassWindow(window)) return TRUE;
  const BOOL result = dialog->OnInitDialog();
  GetModalPrompts().DialogShown(*dialog);
  return result;
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
  if (owner == nullptr && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd != nullptr)
    owner = AfxGetApp()->m_pMainWnd->GetSafeHwnd();
  return ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                           &AfxDlgProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return !dx.m_bFailed;
}

void CDialog::DoDataExchange(CDataExchange*) {}

// OK and Cancel reach the (virtual) handlers from the buttons, the keyboard
// and commands sent without a control alike.
BOOL CDialog::HandleCmdMsg(UINT id, int code, CCmdUI* ui) {
  static const CommandEntry<CDialog> kCommands[] = {
      {IDOK, &CDialog::OnOK, nullptr},
      {IDCANCEL, &CDialog::OnCancel, nullptr},
  };
  return DispatchCommand(*this, kCommands, id, code, ui) || CWnd::HandleCmdMsg(id, code, ui);
}
