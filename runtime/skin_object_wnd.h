// SkinObjectWnd: the base of the skinned runtime controls. Every control
// draws its current face with DrawTo, on screen (its paint handler) and
// wherever else the face is wanted (the editor's renderings, tests).
//
// Before painting, a control asks its parent with WM_SKINPAINTQUERY whether
// the parent draws it; the base passes a query from a child of its own on to
// its parent, so a query from a control nested in another control travels up
// until some window answers it (a window that does not know the message
// answers 0).
#pragma once

#include <windows.h>

#include "ui/cpoint.h"
#include "ui/crect.h"
#include "ui/csize.h"
#include "ui/cwnd.h"

class DibImage;

// Sent by a skinned control to its parent before painting: wParam is the
// control object, lParam 0; non-zero means the parent draws the control.
constexpr UINT WM_SKINPAINTQUERY = 0x047B;

class SkinObjectWnd : public CWnd {
 public:
  // Draws the control's current face into dc with the client origin at
  // (x, y). The base draws nothing.
  virtual void DrawTo(HDC dc, int x, int y);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // True when the parent answers the paint query with non-zero (the parent
  // draws this control).
  bool ParentPaintsMe();
  // The buffered paint: begins painting, asks the parent, and draws DrawTo
  // into a 24-bit DIB section of the client size (96 dpi) that is then put
  // on screen in one blit; printer DCs are drawn into directly.
  void PaintBuffered();
  // Fills the sizing frame (the window outside the client area) with the
  // background tiled from the window's outer corner, so the client area
  // shows the background shifted by the frame; the window colour without
  // one.
  void PaintSizingFrame(const DibImage* background);
  // The same painting into dc, which stands for the whole window.
  void DrawSizingFrameTo(HDC dc, const DibImage* background);
  // Fills area (the client area placed in dc) with the background tiled so
  // that it continues the sizing frame's tiles; the window colour without
  // a background.
  void DrawFramedBackground(HDC dc, const CRect& area, const DibImage* background) const;
  // Half the difference between the window and its client area: where the
  // client area starts inside a sizing frame.
  CSize FrameOffset() const;
  // Posts message to the parent with point (client coordinates) converted
  // to the parent's.
  void PostToParentAt(UINT message, WPARAM wParam, CPoint point);

  // The editor's move mode: the right mouse button drags the window around
  // its parent. The grab point is kept relative to the window's outer
  // corner, which is what moving places, so a sizing frame does not make
  // the window jump.
  bool SetMoveModeFlag(bool on);
  bool IsMoveMode() const { return moveMode_; }
  bool IsMoveDragging() const { return moveDragging_; }
  // At a right-button press in move mode; false (nothing started) outside it.
  bool BeginMoveDrag(CPoint point);
  // At a mouse move: moves the window while a drag runs.
  void MoveDragTo(CPoint point);
  // At the right-button release: ends the drag and releases the capture.
  void EndMoveDrag();
  // When another window takes the capture.
  void CancelMoveDrag() { moveDragging_ = false; }

 private:
  bool moveMode_ = false;
  bool moveDragging_ = false;
  CPoint moveDragOrigin_;
};
