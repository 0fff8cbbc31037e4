// CDC: a device context and the drawing calls the editor makes on it.
// A CDC made with Attach (or by CPaintDC/CClientDC) does not own the
// handle's lifetime beyond what its subclass says.
#pragma once

#include <windows.h>

#include "ui/cpoint.h"
#include "ui/crect.h"

class CRgn;

class CDC {
 public:
  CDC() = default;
  virtual ~CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  void Attach(HDC dc) { m_hDC = dc; }
  HDC Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    return dc;
  }

  void FillSolidRect(const RECT& rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void FillRect(const RECT& rect, HBRUSH brush);
  void DrawFocusRect(const RECT& rect);
  // Region in device coordinates (nullptr removes clipping); returns the
  // region type like SelectClipRgn.
  int SelectClipRgn(const CRgn* region);
  int SelectClipRgn(const CRgn* region, int mode);
  int ExcludeClipRect(const RECT& rect);
  int GetClipBox(LPRECT rect) const;
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
  CPoint GetViewportOrg() const;
  // Returns the object selected before (the caller selects it back).
  HGDIOBJ SelectObject(HGDIOBJ object);
  HBRUSH SelectObject(HBRUSH brush) { return static_cast<HBRUSH>(SelectObject(HGDIOBJ(brush))); }
  HPEN SelectObject(HPEN pen) { return static_cast<HPEN>(SelectObject(HGDIOBJ(pen))); }
  HFONT SelectObject(HFONT font) { return static_cast<HFONT>(SelectObject(HGDIOBJ(font))); }
  COLORREF SetTextColor(COLORREF color);
  COLORREF SetBkColor(COLORREF color);
  int SetBkMode(int mode);
  BOOL TextOut(int x, int y, const char* text, int length);
  BOOL Rectangle(const RECT& rect);
  BOOL MoveTo(int x, int y);
  BOOL LineTo(int x, int y);

  HDC m_hDC = nullptr;
};
