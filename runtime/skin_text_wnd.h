// SkinTextWnd: one line of skinned text over a tiled background bitmap, in
// its own font and text colour, with an optional foreground bitmap centred
// over it. The text is the window text (set by the host) or, for the clock
// kinds, the local time formatted with strftime. Text wider than the client
// area runs as a marquee: one pixel per 50 ms tick, a three-second pause at
// each end, then back the other way.
//
// Every 50 ms the text is refreshed and measured, but the window is
// invalidated only when what it shows changed (the text or the marquee's
// position), so a clock repaints once a second.
//
// The bitmaps belong to the skin and are only referred to; the control owns
// its font.
#pragma once

#include <windows.h>

#include <ctime>
#include <functional>
#include <string>

#include "imaging/dib_image.h"
#include "runtime/skin_object_wnd.h"
#include "ui/cfont.h"

class SkinTextWnd : public SkinObjectWnd {
 public:
  // What the control shows (the object's text type).
  enum Kind {
    kNormal = 0,
    kFileName = 1,
    kTotalTime = 2,
    kCurrentTime = 3,
    kDateAndTime = 4,  // "%d.%m.%Y %H:%M:%S"
    kDate = 5,         // "%d.%m.%Y"
    kTime = 6,         // "%H:%M:%S"
  };
  static constexpr UINT_PTR kRefreshTimer = 100;
  static constexpr UINT kRefreshPeriod = 50;
  // How long the marquee stands still at each end.
  static constexpr UINT kPausePeriod = 3000;

  // The local time the clock kinds show.
  using Clock = std::function<std::tm()>;

  SkinTextWnd();
  ~SkinTextWnd() override;

  // Creates the child window at rect and takes the parent's font. Returns
  // nonzero on success.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // --- Set by the owner from the skin object ---------------------------------
  // Kinds 0 to 3 (and any number the table does not know) show the window
  // text; 4 to 6 the clock.
  void SetKind(int kind) { kind_ = kind; }
  int GetKind() const { return kind_; }
  void SetTextColor(COLORREF color) { textColor_ = color; }
  COLORREF GetTextColor() const { return textColor_; }
  // Null draws the system window colour (background) or nothing
  // (foreground).
  void SetBackground(const DibImage* background) { background_ = background; }
  void SetForeground(const DibImage* foreground) { foreground_ = foreground; }
  // The editor's move mode (right-button dragging); returns the old value.
  bool SetMoveMode(bool on);
  // Replaces the local-time clock (tests use a fixed one).
  void SetClock(Clock clock);

  // --- State -------------------------------------------------------------------
  // Sets the text from the kind: the window text or the formatted time.
  void UpdateText();
  const std::string& GetText() const { return text_; }
  // Where the marquee draws the text; only meaningful while scrolling.
  const CRect& TextRect() const { return textRect_; }
  bool IsScrolling() const { return scrolling_; }
  bool IsScrollingLeft() const { return scrollLeft_; }
  // The period the refresh timer runs with now (the pause or the step).
  UINT TimerPeriod() const { return timerPeriod_; }

  // One refresh timer tick: text, measuring, the marquee step and, when
  // what is shown changed, the invalidation.
  void Tick();

  void DrawTo(HDC dc, int x, int y) override;
  // What WM_NCPAINT paints with a sizing frame: the background tiled from
  // the window's corner over everything outside the client area, into a
  // DC whose origin is the window's corner.
  void DrawFrameTo(HDC dc);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  int OnCreate(LPCREATESTRUCTA createStruct) override;
  void OnDestroy() override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(HDC dc) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnTimer(UINT_PTR id) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnCaptureChanged(HWND newCapture) override;
  void OnSetFont(HFONT font, BOOL redraw) override;
  HFONT OnGetFont() override;

  // Asks for a repaint of the whole control (with erase) after a tick that
  // changed what is shown.
  virtual void InvalidateFace();

 private:
  void TakeParentFont();
  void RestartTimer(UINT period);
  int MeasureTextWidth();
  // Keeps the marquee inside [clientWidth - textWidth, 0] and moves it one
  // pixel; starts the pause when it turned at an end.
  void StepMarquee(int clientWidth, int textWidth, int clientHeight);
  // Half the difference between window and client size: how far the
  // client area lies inside a sizing frame.
  void DrawBackground(HDC dc, const CRect& area);
  void DrawTextLine(HDC dc, const CRect& area);

  bool scrollLeft_ = true;
  bool pausePending_ = false;
  CFont font_;
  const DibImage* background_ = nullptr;
  const DibImage* foreground_ = nullptr;
  COLORREF textColor_ = ::GetSysColor(COLOR_WINDOWTEXT);
  bool scrolling_ = false;
  std::string text_;
  std::string previousText_;
  CRect textRect_;
  CRect previousRect_;
  int kind_ = kNormal;
  UINT timerPeriod_ = 0;
  Clock clock_;
};
