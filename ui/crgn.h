// CRgn: owns one GDI region handle, in the framework's manner.
#pragma once

#include <windows.h>

class CRgn {
 public:
  CRgn() = default;
  ~CRgn() { DeleteObject(); }
  CRgn(const CRgn&) = delete;
  CRgn& operator=(const CRgn&) = delete;

  HRGN GetSafeHandle() const { return m_hObject; }
  operator HRGN() const { return m_hObject; }
  bool IsNull() const { return m_hObject == nullptr; }

  // Takes ownership of region (deleting the one held before).
  void Attach(HRGN region);
  HRGN Detach();
  bool DeleteObject();

  bool CreateRectRgn(int left, int top, int right, int bottom);
  bool CreatePolygonRgn(const POINT* points, int count, int fillMode);
  // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF or RGN_COPY; returns the region type
  // (ERROR on failure) like CombineRgn.
  int CombineRgn(const CRgn* first, const CRgn* second, int mode);
  int CopyRgn(const CRgn* source);
  // Bytes needed (data null) or written, as GetRegionData.
  int GetRegionData(LPRGNDATA data, int size) const;
  bool PtInRegion(int x, int y) const;
  bool EqualRgn(const CRgn* other) const;
  // Moves the region; returns the region type (ERROR on failure).
  int OffsetRgn(int dx, int dy);
  int OffsetRgn(POINT by) { return OffsetRgn(by.x, by.y); }
  // Bounding box; returns the region type.
  int GetRgnBox(LPRECT rect) const;
  bool CreateRectRgnIndirect(const RECT* rect) {
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
  }

 private:
  HRGN m_hObject = nullptr;
};
