// SkinScrollBarWnd: the skinned scroll bar of the list box. A track
// background tiled over the window, two arrow buttons at its ends and a
// thumb between them, all three SkinButtonWnd children. The position runs
// from the minimum to the maximum; the thumb sits in proportion along the
// free track.
//
// Holding an arrow steps the position once per 50 ms (timer 333); pressing
// the bare track walks the thumb towards the cursor at the same pace;
// dragging the thumb sets the position in proportion to where the thumb is
// dropped. Every change the user makes is sent (not posted) to the parent
// as kPositionChanged with the bar's window in lParam.
//
// The arrow and thumb pictures come from the skin and are only referred to;
// the track background is copied. Any picture still missing at Create is
// made here: 16 x 16 system-style arrows and thumb (DrawFrameControl) and a
// track of the system scroll-bar colour.
#pragma once

#include <windows.h>

#include "imaging/dib_image.h"
#include "runtime/skin_button_wnd.h"
#include "runtime/skin_object_wnd.h"

class SkinScrollBarWnd : public SkinObjectWnd {
 public:
  // Sent to the parent when the user changed the position: wParam 0, lParam
  // the scroll bar's window.
  static constexpr UINT kPositionChanged = 0x05F4;
  static constexpr UINT_PTR kRepeatTimer = 333;
  static constexpr UINT kRepeatPeriod = 50;
  static constexpr UINT kChildId = 0xFFFF;
  static constexpr int kDefaultPictureSize = 16;

  SkinScrollBarWnd() = default;
  ~SkinScrollBarWnd() override;

  // --- Before Create -------------------------------------------------------
  // 0 (vertical, as the list uses it) or horizontal.
  void SetHorizontal(bool on) { horizontal_ = on; }
  // Pictures of the arrow at the minimum end (up or left) and at the
  // maximum end (down or right): Up, Down, Focus, Disable. Null or empty
  // pictures are made at Create. The skin keeps the pictures.
  void SetUpArrowBitmaps(const DibImage* up, const DibImage* down, const DibImage* focus,
                         const DibImage* disable);
  void SetDownArrowBitmaps(const DibImage* up, const DibImage* down, const DibImage* focus,
                           const DibImage* disable);
  // The thumb has no Down picture: it shows Up while pressed.
  void SetThumbBitmaps(const DibImage* up, const DibImage* focus, const DibImage* disable);
  // Copies picture (null or empty: the default is made at Create). False
  // when the copy ran out of memory.
  bool SetTrackBackground(const DibImage* picture);

  // Creates the window, the missing pictures and the three buttons, then
  // moves to rect. Returns 0 when a step fails.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // --- Range and position -------------------------------------------------
  void SetRange(int minimum, int maximum);
  void SetPos(int position);
  int GetPos() const { return position_; }
  int GetRangeMin() const { return minimum_; }
  int GetRangeMax() const { return maximum_; }
  // Lays out the arrows at the ends and the thumb at the position.
  void UpdateThumb();

  // --- State, for the owner and for tests ----------------------------------
  bool IsHorizontal() const { return horizontal_; }
  SkinButtonWnd& UpArrow() { return upArrow_; }
  SkinButtonWnd& DownArrow() { return downArrow_; }
  SkinButtonWnd& Thumb() { return thumb_; }
  const DibImage& TrackBackground() const { return trackBackground_; }
  // The free track in pixels: the length between the arrows less the thumb.
  int TrackLength() const;
  bool IsAutoRepeating() const { return autoRepeat_; }
  bool IsTrackPaging() const { return trackPaging_; }
  bool IsThumbDragging() const { return thumbDragging_; }
  bool IsRepeatTimerRunning() const { return repeatTimerRunning_; }

  void DrawTo(HDC dc, int x, int y) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void OnDestroy() override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(HDC dc) override;
  void OnTimer(UINT_PTR id) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnCaptureChanged(HWND newCapture) override;
  void OnEnable(BOOL enabled) override;

 private:
  // A picture of the bar: the skin's when it has pixels, else the one the
  // bar made itself.
  struct Picture {
    const DibImage* skin = nullptr;
    DibImage own;
    const DibImage* Get() const;
  };
  enum ArrowPicture { kArrowUp, kArrowDown, kArrowFocus, kArrowDisable, kArrowPictures };
  enum ThumbPicture { kThumbUp, kThumbFocus, kThumbDisable, kThumbPictures };

  bool MakeDefaultPictures();
  static bool MakeDefaultArrow(Picture (&pictures)[kArrowPictures], UINT arrowKind);
  bool CreateButtons();

  // Coordinates along the bar (y when vertical, x when horizontal).
  int Along(POINT point) const { return horizontal_ ? point.x : point.y; }
  int AlongSize(const CRect& rect) const { return horizontal_ ? rect.Width() : rect.Height(); }
  CRect ChildRect(const CWnd& child) const;
  void MoveChildAlong(CWnd& child, int along);
  int ClientLength() const;

  void OnArrowCode(HWND arrow, WORD code);
  void OnThumbCode(WORD code);
  void StartRepeatTimer();
  void StopRepeatTimer();
  void RepeatStep();
  bool CursorOverThumb(CPoint cursor) const;
  // Whether the thumb still has the cursor ahead of it in the paging
  // direction.
  bool PagingTargetAhead(CPoint cursor) const;
  void TrackPagingMove(CPoint point);
  void ThumbDragMove(CPoint point);
  void EndMouseTracking();
  void StepPosition(int step);
  void NotifyParent();
  CPoint CursorInClient() const;

  bool horizontal_ = false;
  Picture upArrowPictures_[kArrowPictures];
  Picture downArrowPictures_[kArrowPictures];
  Picture thumbPictures_[kThumbPictures];
  DibImage trackBackground_;
  SkinButtonWnd upArrow_;
  SkinButtonWnd downArrow_;
  SkinButtonWnd thumb_;
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  bool scrollDown_ = false;
  bool autoRepeat_ = false;
  bool trackPaging_ = false;
  bool thumbDragging_ = false;
  bool repeatTimerRunning_ = false;
  CPoint grabPoint_;
};
