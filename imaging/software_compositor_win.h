// SoftwareCompositor: DibImage's own drawing where GDI cannot do the job in
// one call. It scales by nearest neighbour and mixes by colour key and
// opacity, row by row straight from the image's stored rows into a DIB
// section, and only over the part of the destination that the context's clip
// box leaves visible, so a partial repaint costs only that part.
#pragma once

#include "imaging/dib_image.h"
#include "imaging/dib_section_win.h"
#include "imaging/win32_types.h"

class SoftwareCompositor {
 public:
  // The picture is to cover (x, y, x + cx, y + cy) in the context's logical
  // units; cx and cy must be positive and the image valid.
  SoftwareCompositor(const DibImage& image, int x, int y, int cx, int cy);

  // Opaque copy, scaled when the destination size differs from the picture's.
  bool DrawOpaque(HDC dc) const;
  // Mixes the picture over what the context already shows: pixels of the key
  // colour (when a transparent index is set) and of opacity 0 are skipped,
  // the others blended by opacity.
  bool DrawBlended(HDC dc) const;

 private:
  // Nearest source column for a destination column and nearest source line
  // (from the picture's top) for a destination line: the offset into the
  // destination times the single-precision ratio of the sizes, truncated and
  // kept inside the picture.
  int SourceColumn(int destX) const;
  int SourceRowFromTop(int destY) const;
  bool Render(HDC dc, bool overBackground) const;
  // Visible part of the destination; false when nothing of it is visible.
  bool VisibleArea(HDC dc, RECT& area) const;
  void FillColumnMap(const RECT& area, int* columns) const;
  // Fills the section's rows for area; columnOf(i) is the source column of
  // the area's i-th column.
  template <typename ColumnOf>
  void ComposeRows(const RECT& area, bool overBackground, DibSection& section,
                   ColumnOf columnOf) const;

  const DibImage& image_;
  int x_;
  int y_;
  int cx_;
  int cy_;
  bool natural_;
  float columnRatio_;
  float rowRatio_;
  bool keyed_;
  RGBQUAD key_;
};
