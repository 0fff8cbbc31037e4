// CDataExchange and the DDX/DDV helpers: moving values between a dialog's
// controls and its members (UpdateData). When saving, a value that does not
// parse or is out of range shows a message through the prompt seam, puts
// the focus on the control and fails the exchange; the remaining helpers
// then do nothing, and the dialog stays open.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate);

  // The control's window; remembered as the one a following DDV checks.
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Shows `message`, focuses the last prepared control and fails.
  void Fail(const std::string& message);

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  BOOL m_bFailed = FALSE;
  int m_idLastControl = 0;
  BOOL m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* dx, int id, std::string& value);
// Accepts an optional sign and decimal digits, surrounded by blanks; fails
// with "Please enter an integer." otherwise.
void DDX_Text(CDataExchange* dx, int id, int& value);
// Fails with "Please enter an integer between <min> and <max>." when saving
// a value outside [min, max].
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
// Check box state: 0, 1 or 2 (indeterminate).
void DDX_Check(CDataExchange* dx, int id, int& value);
// Selected index of a list box / combo box, -1 for none.
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
// Subclasses the dialog's control with `control` the first time.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
