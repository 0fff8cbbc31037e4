// ModalPrompts: the one place every modal prompt of the program goes
// through, so that tests can answer message boxes, file dialogs and
// resource dialogs without a person.
#pragma once

#include <windows.h>

#include <string>

class CDialog;
class CFileDialog;

class ModalPrompts {
 public:
  virtual ~ModalPrompts() = default;

  // Shows a message box; returns the button pressed (IDOK, IDYES, ...).
  virtual int ShowMessage(HWND owner, const std::string& text, const std::string& caption,
                          UINT type);
  // Runs the open or save dialog; true when the user chose a file (the
  // dialog's path is then set).
  virtual bool AskFileName(CFileDialog& dialog);
  // Called from WM_INITDIALOG after OnInitDialog, while the dialog runs
  // modally; the system answerer does nothing (the user drives it).
  virtual void DialogShown(CDialog& dialog);
};

// nullptr restores the system answerer. Not owned.
void SetModalPrompts(ModalPrompts* prompts);
ModalPrompts& GetModalPrompts();

// Message box owned by the main window, titled with the application's name.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
// As above with the text of string-table entry `promptId`.
int AfxMessageBox(UINT promptId, UINT type = MB_OK);
