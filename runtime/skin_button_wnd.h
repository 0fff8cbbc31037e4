// SkinButtonWnd: a push button or check box drawn entirely from a skin
// object's state bitmaps (Up, Down, Focus, Disable), shaped by a window
// region, reacting to the mouse only inside its mouse region, and
// cross-fading between its state bitmaps. It reports presses and clicks to
// its parent by posting WM_COMMAND (id in the low word, a notification code
// in the high word, its window in lParam). It also serves as the arrows and
// thumb of the list's scroll bar and the arrows of the drive list.
//
// In the editor's move mode the right mouse button drags the button around
// its parent; while any button is dragged (DragActive) no button reacts to
// the left mouse button.
//
// The bitmaps belong to the skin model: the button only refers to them and
// never frees them. It owns its face, its regions and its font.
#pragma once

#include <windows.h>

#include "imaging/dib_image.h"
#include "runtime/skin_object_wnd.h"
#include "ui/cfont.h"
#include "ui/crgn.h"

class SkinButtonWnd : public SkinObjectWnd {
 public:
  enum State { kUp = 0, kDown = 1, kFocus = 2 };
  // Notification codes of the WM_COMMAND posts.
  static constexpr WORD kClicked = 0;
  static constexpr WORD kPressed = 2;  // at the press, and on moves inside while pressed
  static constexpr WORD kReleased = 3;
  static constexpr WORD kRepeatSlow = 0xFE;  // each 300 ms tick while held inside
  static constexpr WORD kPressedFirst = 0xFD;
  static constexpr WORD kRepeatFast = 0xFF;  // each 10 ms tick while held inside
  static constexpr UINT_PTR kFastTimer = 100;
  static constexpr UINT kFastPeriod = 10;
  static constexpr UINT_PTR kSlowTimer = 101;
  static constexpr UINT kSlowPeriod = 300;

  SkinButtonWnd() = default;
  ~SkinButtonWnd() override;

  // Creates the child window at (0, 0) with the Up bitmap's size. down,
  // focus and disable may be null (the Up bitmap stands in); windowRgn and
  // mouseRgn may be null or empty (see the class comment). Returns nonzero
  // on success.
  BOOL Create(CWnd* parent, const DibImage* up, const DibImage* down, const DibImage* focus,
              const DibImage* disable, const CRgn* windowRgn, const CRgn* mouseRgn, UINT id);

  // Sets the editor's move mode; returns the previous value.
  bool SetMoveMode(bool on);
  // Set by the owner before Create, from the object's CheckBox property.
  void SetCheckBox(bool on) { isCheckBox_ = on; }
  bool IsCheckBox() const { return isCheckBox_; }
  bool IsChecked() const { return checked_; }
  void SetChecked(bool on) { checked_ = on; }
  // Options that start cleared; nothing in the editor sets them.
  void SetShowText(bool on) { showText_ = on; }
  void SetFadeIntoDown(bool on) { fadeIntoDown_ = on; }
  void SetBufferedDraw(bool on) { bufferedDraw_ = on; }
  void SetTextColor(COLORREF color) { textColor_ = color; }
  void SetBackColor(COLORREF color) { backColor_ = color; }

  int GetState() const { return state_; }
  bool IsPressed() const { return pressed_; }
  bool IsFading() const { return fading_; }
  float FadeFactor() const { return fadeFactor_; }
  const DibImage& Face() const { return face_; }
  const CRgn& MouseRegion() const { return mouseRegion_; }

  // Whether some button is being moved with the right mouse button.
  static bool DragActive();

  // Changes the visual state: Down at once (unless fading into Down is
  // on), every other change cross-fades over about ten fast ticks.
  void SetState(int state);
  // One fast-timer step: the fade or the hover and check-box logic.
  void Tick(UINT_PTR timer);

  void DrawTo(HDC dc, int x, int y) override;

 protected:
  int OnCreate(LPCREATESTRUCTA createStruct) override;
  void OnDestroy() override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(HDC dc) override;
  void OnTimer(UINT_PTR id) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  // The window class reports a quick second press as a double click; for a
  // button (a scroll arrow above all) it is one more press.
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  void OnSetFont(HFONT font, BOOL redraw) override;
  HFONT OnGetFont() override;

 private:
  const DibImage* BitmapOf(int state) const;
  bool CursorInMouseRegion() const;
  bool InMouseRegion(CPoint point) const;
  void Notify(WORD code);
  void FadeStep();
  void HoverStep();
  void TakeParentFont();

  const DibImage* upBitmap_ = nullptr;
  const DibImage* downBitmap_ = nullptr;
  const DibImage* disableBitmap_ = nullptr;
  const DibImage* focusBitmap_ = nullptr;
  DibImage face_;
  int state_ = kUp;
  int previousState_ = kUp;
  CPoint dragOrigin_;
  bool moveMode_ = false;
  bool dragging_ = false;
  bool pressed_ = false;
  bool fading_ = false;
  bool showText_ = false;
  bool fadeIntoDown_ = false;
  bool isCheckBox_ = false;
  bool checked_ = false;
  bool bufferedDraw_ = false;
  float fadeFactor_ = 1.0f;
  CRgn windowRegion_;
  CRgn mouseRegion_;
  COLORREF textColor_ = ::GetSysColor(COLOR_BTNTEXT);
  COLORREF backColor_ = ::GetSysColor(COLOR_BTNFACE);
  CFont font_;
};
