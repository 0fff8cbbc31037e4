#include "ui/cdata_exchange.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "ui/cwin_app.h"
#include "ui/cwnd.h"
#include "ui/modal_prompts.h"

namespace {

std::string ControlText(HWND control) {
  std::string text(static_cast<size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
  const int copied = ::GetWindowTextA(control, &text[0], static_cast<int>(text.size()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool ParseInt(const std::string& text, int& value) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (begin == end) return false;
  const std::string digits = text.substr(begin, end - begin);
  size_t first = (digits[0] == '-' || digits[0] == '+') ? 1 : 0;
  if (first == digits.size()) return false;
  for (size_t i = first; i < digits.size(); ++i)
    if (digits[i] < '0' || digits[i] > '9') return false;
  errno = 0;
  const long long parsed = std::strtoll(digits.c_str(), nullptr, 10);
  if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  return true;
}

}  // namespace

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id) {
  m_idLastControl = id;
  m_bEditLastControl = FALSE;
  return ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail(const std::string& message) {
  m_bFailed = TRUE;
  CWinApp* app = AfxGetApp();
  GetModalPrompts().ShowMessage(m_pDlgWnd->GetSafeHwnd(), message,
                                app != nullptr ? app->m_strAppName : std::string(),
                                MB_OK | MB_ICONEXCLAMATION);
  HWND control = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), m_idLastControl);
  if (control == nullptr) return;
  ::SetFocus(control);
  if (m_bEditLastControl) ::SendMessageA(control, EM_SETSEL, 0, -1);
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  if (dx->m_bFailed) return;
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = ControlText(control);
  } else {
    ::SetWindowTextA(control, value.c_str());
  }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  if (dx->m_bFailed) return;
  HWND control = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    ::SetWindowTextA(control, text);
    return;
  }
  int parsed = 0;
  if (!ParseInt(ControlText(control), parsed)) {
    dx->Fail("Please enter an integer.");
    return;
  }
  value = parsed;
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
  if (dx->m_bFailed || !dx->m_bSaveAndValidate) return;
  if (value >= minValue && value <= maxValue) return;
  char message[96];
  std::snprintf(message, sizeof message, "Please enter an integer between %d and %d.", minValue,
                maxValue);
  dx->Fail(message);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  if (dx->m_bFailed) return;
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
  } else {
    ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
  if (dx->m_bFailed) return;
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    index = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
  } else {
    ::SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
  if (dx->m_bFailed) return;
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
  } else {
    ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.GetSafeHwnd() != nullptr) return;
  control.SubclassWindow(dx->PrepareCtrl(id));
}
