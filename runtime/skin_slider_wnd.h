// SkinSliderWnd: a skin's Slider or CustomSlider object, live.
//
// Fill mode: the Empty bitmap (A) with the Full bitmap (B) revealed from
// the left, or from the bottom when vertical, up to the current value; with
// "as Point" B is instead one thumb placed at the value's position.
//
// Map mode (the "user's free" slider, knobs and other free shapes): A is a
// strip of equally sized frames, one per position, and B is a map painted
// with distinct colours along the control's path. The colour under the
// mouse, ranked among all colours of the map (black and white excepted),
// picks the frame.
//
// The slider posts WM_COMMAND to its parent (id in the low word, a code in
// the high word, its window in lParam): kPressed, kDragged and kReleased
// after the left button has set the new value, kWheeled after every wheel
// notch. While the left button drags it, SetPos calls are ignored so the
// user's drag wins.
//
// In the editor's move mode the right mouse button drags the slider around
// its parent. The bitmaps belong to the skin model; the slider only refers
// to them.
#pragma once

#include <windows.h>

#include <vector>

#include "imaging/dib_image.h"
#include "runtime/skin_object_wnd.h"
#include "ui/crgn.h"

class SkinSliderWnd : public SkinObjectWnd {
 public:
  // Notification codes of the WM_COMMAND posts.
  static constexpr WORD kWheeled = 0;
  static constexpr WORD kDragged = 0x1E;
  static constexpr WORD kPressed = 0x1F;
  static constexpr WORD kReleased = 0x20;

  SkinSliderWnd() = default;
  ~SkinSliderWnd() override;

  // Creates the child window with style (WS_CHILD is always added) and id.
  // Fill mode: the window is placed at segmentRect's top-left corner with
  // bitmapA's size. Map mode: the colour keys are taken from bitmapB first
  // and the window gets segmentRect, which is also the size of one frame of
  // bitmapA. A windowRgn with a handle is copied and becomes the window's
  // shape; the caller keeps its own. Either bitmap may be null or empty.
  // Returns nonzero on success.
  BOOL Create(const DibImage* bitmapA, const DibImage* bitmapB, const RECT& segmentRect,
              const CRgn* windowRgn, DWORD style, CWnd* parent, bool mapMode, UINT id);

  // Set by the owner before Create, from the object's orientation and its
  // "as Point" option.
  void SetVertical(bool on) { vertical_ = on; }
  bool IsVertical() const { return vertical_; }
  void SetAsPoint(bool on) { asPoint_ = on; }
  bool IsAsPoint() const { return asPoint_; }
  bool IsMapMode() const { return mapMode_; }

  // Sets the editor's move mode; returns the previous value.
  bool SetMoveMode(bool on);

  // Moves the slider to v, clamped to the range; ignored while the left
  // button drags the slider.
  void SetPos(int v);
  int GetPos() const { return value_; }
  // The range starts as 0..100; the bounds are put in order. The value is
  // clamped into the new range.
  void SetRange(int minimum, int maximum);
  int GetRangeMin() const { return minimum_; }
  int GetRangeMax() const { return maximum_; }
  bool IsTracking() const { return tracking_; }

  // Map mode: the frame shown, the number of frames of the strip (0 when
  // bitmapA is no strip) and the map's colour keys (0x00BBGGRR, ascending).
  int SegmentIndex() const { return segmentIndex_; }
  int SegmentCount() const;
  const std::vector<COLORREF>& ColorSet() const { return colorSet_; }

  void DrawTo(HDC dc, int x, int y) override;

 protected:
  void OnDestroy() override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(HDC dc) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  void OnCaptureChanged(HWND newCapture) override;

 private:
  void BuildColorSet();
  // The value (and in map mode the frame) the mouse at point asks for.
  // updateValue is false on release in map mode, where only the frame
  // follows the mouse.
  void TrackPoint(CPoint point, bool updateValue);
  int FillValueAt(CPoint point, const CRect& client) const;
  void MapValueAt(CPoint point, const CRect& client, bool updateValue);
  // The rank of key among the colour keys, or -1 when it is not one.
  int ColorRank(COLORREF key) const;
  int Clamped(long long v) const;
  // Remembers the current value and frame as drawn and repaints.
  void Redraw();
  void Notify(WORD code);
  // Where point (client coordinates) lies in the parent's client area.
  CPoint InParent(CPoint point) const;

  void DrawFace(HDC dc, const CRect& client) const;
  void DrawThumb(HDC dc, const CRect& client) const;
  void DrawSegment(HDC dc, const CRect& client) const;
  void DrawFill(HDC dc, const CRect& client) const;
  // |MulDiv(value, length, maximum)|; 0 for a range ending at 0.
  int ValueExtent(int length) const;
  bool IsVerticalStrip() const;
  long long FrameWidth() const;
  long long FrameHeight() const;

  bool vertical_ = false;
  const DibImage* bitmapA_ = nullptr;
  const DibImage* bitmapB_ = nullptr;
  int minimum_ = 0;
  int maximum_ = 100;
  int value_ = 0;
  int shownValue_ = 0;
  bool moveMode_ = false;
  bool tracking_ = false;
  bool mapMode_ = false;
  bool asPoint_ = false;
  CRect segmentRect_;
  CPoint dragOrigin_;
  int segmentIndex_ = 0;
  int shownSegment_ = 0;
  std::vector<COLORREF> colorSet_;
  // Set between a right press in move mode and its release (or the loss of
  // the capture), so only a drag begun on this slider moves it.
  bool dragging_ = false;
};
