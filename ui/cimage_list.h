// CImageList: owns one image list of the common controls.
#pragma once

#include <windows.h>

#include <commctrl.h>

class CImageList {
 public:
  CImageList() = default;
  ~CImageList() { DeleteImageList(); }
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // Images of width cx cut from bitmap resource `bitmapId`; pixels of colour
  // `mask` are transparent (CLR_DEFAULT: the colour of the top-left pixel).
  BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
  // An empty list (flags: ILC_COLOR24 | ILC_MASK and the like).
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // Appends the bitmap's images; returns the index of the first or -1.
  int Add(HBITMAP bitmap, COLORREF mask);
  int Add(HICON icon);
  BOOL Draw(HDC dc, int image, POINT at, UINT style) const;
  BOOL DeleteImageList();
  HIMAGELIST Detach();

  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  operator HIMAGELIST() const { return m_hImageList; }
  int GetImageCount() const;

  HIMAGELIST m_hImageList = nullptr;
};
