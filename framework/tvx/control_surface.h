// What a built window offers its scripts: the controls by their index in
// MarkupWindow::controls, the pages by theirs, and the window itself. The
// Win32 window implements it; tests implement it in memory.
#pragma once

#include <string>

namespace tvx {

class ControlSurface {
 public:
  virtual std::wstring GetControlText(int control) = 0;
  virtual void SetControlText(int control, const std::wstring& text) = 0;
  virtual bool IsControlChecked(int control) = 0;
  // Checking a radio button clears the others of its group.
  virtual void SetControlChecked(int control, bool checked) = 0;
  virtual bool IsControlEnabled(int control) = 0;
  virtual void EnableControl(int control, bool enabled) = 0;
  // Whether the control is shown when its page is.
  virtual void ShowControl(int control, bool visible) = 0;
  virtual void FocusControl(int control) = 0;
  virtual int GetProgress(int control) = 0;
  // Clamped to the bar's range.
  virtual void SetProgress(int control, int value) = 0;

  virtual void ShowPage(int page) = 0;
  // -1 when the window has no pages.
  virtual int CurrentPage() = 0;
  virtual void SetTitle(const std::wstring& title) = 0;
  // While busy, Escape and closing ask before the window closes.
  virtual void SetBusy(bool busy) = 0;
  virtual bool IsBusy() = 0;
  // Closes without asking (the script has decided).
  virtual void CloseWindow() = 0;
  // What Escape does: asks first while busy.
  virtual void CancelWindow() = 0;

 protected:
  ~ControlSurface() = default;
};

}  // namespace tvx
