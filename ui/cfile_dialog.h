// CFileDialog: the common open or save dialog, run through the prompt seam
// (ModalPrompts::AskFileName). The filter is given in the framework's form,
// pairs of "description|patterns|" ending in "||".
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

class CWnd;

class CFileDialog {
 public:
  CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parent = nullptr);
  virtual ~CFileDialog() = default;

  // IDOK when a file was chosen, IDCANCEL otherwise.
  virtual INT_PTR DoModal();

  std::string GetPathName() const { return m_path; }
  // The name without folder; the extension after its last dot (no dot).
  std::string GetFileName() const;
  std::string GetFileExt() const;
  // For answerers of the prompt seam.
  void SetPathName(const std::string& path) { m_path = path; }
  BOOL IsOpenDialog() const { return m_bOpenFileDialog; }
  DWORD GetFlags() const { return m_flags; }
  // The filter as given ("a|b||").
  const std::string& GetFilter() const { return m_filter; }
  const std::string& GetDefaultExt() const { return m_defaultExt; }

  // The system dialog (GetOpenFileNameA/GetSaveFileNameA); true on OK, with
  // the path set.
  bool RunSystemDialog();

 private:
  BOOL m_bOpenFileDialog;
  DWORD m_flags;
  std::string m_defaultExt;
  std::string m_filter;
  std::string m_path;
  CWnd* m_pParentWnd;
};
