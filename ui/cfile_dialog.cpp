#include "ui/cfile_dialog.h"

#include <vector>

#include "ui/cwin_app.h"
#include "ui/cwnd.h"
#include "ui/modal_prompts.h"

namespace {

// Paths of the common dialog are limited to this many characters.
const size_t kPathCapacity = 4096;

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog),
      m_flags(flags),
      m_defaultExt(defaultExt != nullptr ? defaultExt : ""),
      m_filter(filter != nullptr ? filter : ""),
      m_path(fileName != nullptr ? fileName : ""),
      m_pParentWnd(parent) {}

INT_PTR CFileDialog::DoModal() { return GetModalPrompts().AskFileName(*this) ? IDOK : IDCANCEL; }

std::string CFileDialog::GetFileName() const {
  const size_t slash = m_path.find_last_of("\\/:");
  return slash == std::string::npos ? m_path : m_path.substr(slash + 1);
}

std::string CFileDialog::GetFileExt() const {
  const std::string name = GetFileName();
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool CFileDialog::RunSystemDialog() {
  // "a|b||" becomes "a\0b\0\0".
  std::vector<char> filter(m_filter.begin(), m_filter.end());
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.push_back('\0');
  filter.push_back('\0');
  std::vector<char> path(kPathCapacity, '\0');
  m_path.copy(path.data(), std::min(m_path.size(), kPathCapacity - 1));

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
  if (owner == nullptr && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd != nullptr)
    owner = AfxGetApp()->m_pMainWnd->GetSafeHwnd();
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = m_filter.empty() ? nullptr : filter.data();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrDefExt = m_defaultExt.empty() ? nullptr : m_defaultExt.c_str();
  ofn.Flags = m_flags | OFN_EXPLORER;
  const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
  if (!chosen) return false;
  m_path = path.data();
  return true;
}
