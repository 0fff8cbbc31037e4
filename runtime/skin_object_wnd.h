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

#include "ui/cwnd.h"

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
};
