// A window built from the markup: a real top-level Win32 window with one
// child window per control, pages shown one at a time, its scripting, and the
// keyboard handling installers have (the message loop passes keys through
// IsDialogMessage, so Tab, mnemonics, Enter and Escape work: Enter presses
// the focused push button or the page's default button, Escape and closing
// ask to cancel while the window is busy).
//
// Also the framework object handed to whoever asked for the window; the
// window holds one reference of its own until it is destroyed, and the last
// window of the process to go ends the message loop.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "framework/interfaces.h"
#include "framework/tvx/control_surface.h"
#include "framework/tvx/gdi_brush_win.h"
#include "framework/tvx/gdi_font_win.h"
#include "framework/tvx/markup_image.h"
#include "framework/tvx/markup_window.h"
#include "framework/tvx/window_scripting.h"

namespace tvx {

// The modal prompts of a window, replaceable by tests.
struct TvxWindowPrompts {
  // Yes/No question; true for Yes.
  bool (*ask)(HWND owner, const wchar_t* question, const wchar_t* caption);
  // The shell's folder browser starting at *folder; true with *folder set.
  bool (*browse_folder)(HWND owner, const wchar_t* prompt, std::wstring* folder);
};

class TvxWindow final : public framework::Object, public ControlSurface {
 public:
  struct Font {
    std::wstring face;
    int size;
  };

  // The window, shown on its first page with its onload script run, or null.
  // The caller gets one reference.
  static TvxWindow* Create(const MarkupWindow& markup, const Font& font,
                           framework::Archive* archive, framework::CreateInstanceFunction factory);

  static void SetPrompts(const TvxWindowPrompts& prompts);
  static const TvxWindowPrompts& Prompts();

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddRef() override;
  int32_t FRAMEWORK_CALL Release() override;

  // ControlSurface
  std::wstring GetControlText(int control) override;
  void SetControlText(int control, const std::wstring& text) override;
  bool IsControlChecked(int control) override;
  void SetControlChecked(int control, bool checked) override;
  bool IsControlEnabled(int control) override;
  void EnableControl(int control, bool enabled) override;
  void ShowControl(int control, bool visible) override;
  void FocusControl(int control) override;
  int GetProgress(int control) override;
  void SetProgress(int control, int value) override;
  void ShowPage(int page) override;
  int CurrentPage() override { return page_; }
  void SetTitle(const std::wstring& title) override;
  void SetBusy(bool busy) override { busy_ = busy; }
  bool IsBusy() override { return busy_; }
  void CloseWindow() override;
  void CancelWindow() override;

  HWND hwnd() const { return hwnd_; }
  // The child window of a control (by its index in the markup), or null.
  HWND ControlWindow(int control) const;
  // What Escape, Alt+F4 and the close box do.
  void RequestCancel();
  const MarkupWindow& markup() const { return markup_; }
  WindowScripting& scripting() { return scripting_; }

  // Windows of this class alive in the process.
  static int LiveWindows();

  // Control ids start above the dialog manager's IDOK and IDCANCEL.
  static constexpr int kFirstControlId = 1000;

 private:
  TvxWindow(const MarkupWindow& markup, framework::Archive* archive,
            framework::CreateInstanceFunction factory);
  ~TvxWindow();

  bool Build(const Font& font);
  bool CreateFrame();
  bool CreateControl(int index);
  void LoadMarkupImage(int index);
  void FindBackdrops();
  HBRUSH BackdropBrush(int image);
  LRESULT ColourStatic(HDC dc, HWND control);
  void UpdateVisibility();
  void UpdateDefaultButton();
  int DefaultButton() const;
  bool IsOnPage(int control, int page) const;
  void FocusFirstOnPage();
  LRESULT DefaultButtonId();
  void MoveFocus(WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  void PickFolder(int control);

  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ImageProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  std::atomic<int32_t> references_{1};
  MarkupWindow markup_;
  framework::Archive* archive_;
  framework::CreateInstanceFunction factory_;
  WindowScripting scripting_;
  HWND hwnd_ = nullptr;
  GdiFont font_;
  GdiFont heading_font_;
  std::vector<HWND> controls_;
  std::vector<bool> shown_;  // what scripts asked; pages decide the rest
  std::vector<int> progress_;
  std::vector<std::unique_ptr<MarkupImage>> images_;
  // For texts lying on an image: that image's index, else -1. Such texts
  // fill their background with the image (a brush of it, made when first
  // needed), so they look drawn onto it whatever order the two paint in.
  std::vector<int> backdrops_;
  std::vector<std::unique_ptr<GdiBrush>> image_brushes_;
  int page_ = -1;
  bool busy_ = false;
  bool shown_once_ = false;
  // Set while a script changes a control, so its change events stay quiet.
  bool updating_ = false;
};

}  // namespace tvx
