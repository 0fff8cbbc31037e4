// SkinDriveListWnd: the skinned drive list. A centred column of drive
// buttons (each a copy of the drive-button bitmap with the drive's caption
// on it and an LED beside it, lit for the selected drive) over a tiled
// background, 5 pixels apart, scrolled pixel by pixel by two skinned arrow
// buttons that show only while there is something to scroll to in their
// direction.
//
// A click on a drive selects it and posts WM_COMMAND code 0 to the parent; a
// click beside every drive is handed to the parent as its own click.
//
// The bitmaps belong to the skin and are only referred to; the list owns
// its font, its rows and its arrow buttons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "runtime/skin_button_wnd.h"
#include "runtime/skin_object_wnd.h"
#include "ui/cfont.h"

class SkinDriveListWnd : public SkinObjectWnd {
 public:
  // WM_COMMAND code posted to the parent when a drive is clicked.
  static constexpr WORD kSelected = 0;
  static constexpr UINT_PTR kScrollTimer = 100;
  // As fast as the system delivers timer messages.
  static constexpr UINT kScrollPeriod = 0;
  static constexpr UINT kArrowId = 0xFFFF;
  static constexpr int kSpacing = 5;
  static constexpr int kWheelStep = 10;

  struct Drive {
    std::string text;
    std::string path;
    bool ledLit = false;
    DWORD data = 0;
    DWORD reserved = 0;
    COLORREF textColor = 0;
  };

  SkinDriveListWnd() = default;
  ~SkinDriveListWnd() override;

  // --- Before Create --------------------------------------------------------
  // Null pictures are allowed everywhere: no background draws the system
  // window colour, no "LED (off)" picture draws no LEDs at all.
  void SetBackground(const DibImage* background) { background_ = background; }
  void SetUpArrowBitmaps(const DibImage* up, const DibImage* down, const DibImage* focus,
                         const DibImage* disable);
  void SetDownArrowBitmaps(const DibImage* up, const DibImage* down, const DibImage* focus,
                           const DibImage* disable);
  void SetDriveBitmaps(const DibImage* driveButton, const DibImage* ledOn, const DibImage* ledOff);

  // Creates the window (WS_CLIPCHILDREN added) and its two arrows, takes the
  // parent's font and moves to rect. Returns 0 on failure.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // --- Options and rows -----------------------------------------------------
  // Colour of the rows added from now on.
  void SetTextColor(COLORREF color) { textColor_ = color; }
  COLORREF GetTextColor() const { return textColor_; }
  // The editor's move mode (right-button dragging); returns the old value.
  bool SetMoveMode(bool on);
  // Appends a drive (LED dark, the current text colour); returns the count.
  int AddItem(const char* text, const char* path, DWORD data, bool redraw);
  // Appends many drives with empty paths and data 0 as AddItem would,
  // without a redraw, updating the arrows once at the end.
  void AddItems(const std::vector<std::string>& texts);
  void ClearLeds(bool redraw);
  // Shows each arrow exactly when there is something to scroll to on its
  // side.
  void UpdateArrows();

  int GetCount() const { return static_cast<int>(items_.size()); }
  const Drive* GetDrive(int index) const;
  int GetSelected() const { return selected_; }
  int GetScrollOffset() const { return scrollOffset_; }
  // Top of row index in client coordinates, as drawn now.
  int RowTop(int index) const;
  SkinButtonWnd& UpArrow() { return upArrow_; }
  SkinButtonWnd& DownArrow() { return downArrow_; }
  bool IsScrolling() const { return scrolling_; }

  void DrawTo(HDC dc, int x, int y) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void OnDestroy() override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(HDC dc) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnTimer(UINT_PTR id) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
  void OnSetFont(HFONT font, BOOL redraw) override;
  HFONT OnGetFont() override;
  void OnCaptureChanged(HWND newCapture) override;
  void OnEnable(BOOL enabled) override;

 private:
  static bool Shown(const CWnd& window);
  static CSize SizeOf(const DibImage* picture);
  CSize ButtonSize() const { return SizeOf(driveButton_); }
  CSize LedSize() const { return SizeOf(ledOff_); }
  CRect ChildRect(const CWnd& child) const;
  int TopMargin() const;
  int HitRow(CPoint point) const;
  void TakeParentFont();
  void OnArrowCode(HWND arrow, WORD code);
  void StopScrolling();
  // Moves the scroll offset by delta (capped at 0); true when it changed.
  bool ScrollBy(int delta);
  void DrawBackground(HDC dc, int x, int y, const CRect& client);
  void DrawRows(HDC dc, int x, int y, const CRect& client);

  CFont font_;
  SkinButtonWnd upArrow_;
  SkinButtonWnd downArrow_;
  bool scrolling_ = false;
  bool scrollDown_ = false;
  int scrollOffset_ = 0;
  const DibImage* background_ = nullptr;
  const DibImage* upArrowBitmaps_[4] = {};
  const DibImage* downArrowBitmaps_[4] = {};
  const DibImage* driveButton_ = nullptr;
  const DibImage* ledOn_ = nullptr;
  const DibImage* ledOff_ = nullptr;
  int selected_ = -1;
  COLORREF textColor_ = ::GetSysColor(COLOR_BTNTEXT);
  std::vector<Drive> items_;
};
