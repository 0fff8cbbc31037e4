#include "ui/cimage_list.h"

#include "ui/resource_strings.h"

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
  DeleteImageList();
  m_hImageList = ::ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(bitmapId), cx,
                                        grow, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
  return m_hImageList != nullptr;
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  DeleteImageList();
  m_hImageList = ::ImageList_Create(cx, cy, flags, initial, grow);
  return m_hImageList != nullptr;
}

int CImageList::Add(HBITMAP bitmap, COLORREF mask) {
  return ::ImageList_AddMasked(m_hImageList, bitmap, mask);
}

int CImageList::Add(HICON icon) { return ::ImageList_AddIcon(m_hImageList, icon); }

BOOL CImageList::Draw(HDC dc, int image, POINT at, UINT style) const {
  return ::ImageList_Draw(m_hImageList, image, dc, at.x, at.y, style);
}

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == nullptr) return FALSE;
  ::ImageList_Destroy(m_hImageList);
  m_hImageList = nullptr;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST list = m_hImageList;
  m_hImageList = nullptr;
  return list;
}

int CImageList::GetImageCount() const {
  return m_hImageList != nullptr ? ::ImageList_GetImageCount(m_hImageList) : 0;
}
