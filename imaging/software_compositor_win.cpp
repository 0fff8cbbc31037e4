#include "imaging/software_compositor_win.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

#include "imaging/color_compare.h"
#include "imaging/dib_pixel_reader.h"
#include "imaging/dib_section_win.h"
#include "imaging/scratch_section_win.h"

namespace {

BYTE Mix(int source, int background, int opacity) {
  return static_cast<BYTE>((source * opacity + background * (255 - opacity)) >> 8);
}

LONG ClampToLong(int64_t value) {
  return static_cast<LONG>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

template <typename ColumnOf>
void CopyRow(const DibPixelReader& reader, int sourceRow, ColumnOf columnOf, int count, BYTE* out) {
  reader.ForEachPixel(sourceRow, columnOf, count, [out](int i, RGBQUAD color, int) {
    BYTE* pixel = out + static_cast<size_t>(i) * 3;
    pixel[0] = color.rgbBlue;
    pixel[1] = color.rgbGreen;
    pixel[2] = color.rgbRed;
  });
}

// Over the background already in out: key-colour and clear pixels are
// skipped, opaque ones copied, the others mixed.
template <typename ColumnOf>
void BlendRow(const DibPixelReader& reader, int sourceRow, ColumnOf columnOf, int count, bool keyed,
              RGBQUAD key, BYTE* out) {
  reader.ForEachPixel(sourceRow, columnOf, count,
                      [out, keyed, key](int i, RGBQUAD color, int opacity) {
                        if (opacity == 0 || (keyed && SameQuad(color, key))) return;
                        BYTE* pixel = out + static_cast<size_t>(i) * 3;
                        if (opacity == 255) {
                          pixel[0] = color.rgbBlue;
                          pixel[1] = color.rgbGreen;
                          pixel[2] = color.rgbRed;
                          return;
                        }
                        pixel[0] = Mix(color.rgbBlue, pixel[0], opacity);
                        pixel[1] = Mix(color.rgbGreen, pixel[1], opacity);
                        pixel[2] = Mix(color.rgbRed, pixel[2], opacity);
                      });
}

}  // namespace

SoftwareCompositor::SoftwareCompositor(const DibImage& image, int x, int y, int cx, int cy)
    : image_(image),
      x_(x),
      y_(y),
      cx_(cx),
      cy_(cy),
      natural_(cx == image.Width() && cy == image.Height()),
      columnRatio_(static_cast<float>(image.Width()) / static_cast<float>(cx)),
      rowRatio_(static_cast<float>(image.Height()) / static_cast<float>(cy)),
      keyed_(image.TransparentIndex() >= 0),
      key_(image.GetTransColor()) {}

bool SoftwareCompositor::DrawOpaque(HDC dc) const { return Render(dc, false); }

bool SoftwareCompositor::DrawBlended(HDC dc) const { return Render(dc, true); }

int SoftwareCompositor::SourceColumn(int destX) const {
  if (natural_) return destX - x_;
  const int column = static_cast<int>(static_cast<float>(destX - x_) * columnRatio_);
  return std::clamp(column, 0, image_.Width() - 1);
}

int SoftwareCompositor::SourceRowFromTop(int destY) const {
  if (natural_) return destY - y_;
  const int row = static_cast<int>(static_cast<float>(destY - y_) * rowRatio_);
  return std::clamp(row, 0, image_.Height() - 1);
}

bool SoftwareCompositor::VisibleArea(HDC dc, RECT& area) const {
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) return false;
  const RECT dest{x_, y_, ClampToLong(int64_t{x_} + cx_), ClampToLong(int64_t{y_} + cy_)};
  return IntersectRect(&area, &dest, &clip) != FALSE;
}

void SoftwareCompositor::FillColumnMap(const RECT& area, int* columns) const {
  for (LONG dx = area.left; dx < area.right; ++dx) columns[dx - area.left] = SourceColumn(dx);
}

bool SoftwareCompositor::Render(HDC dc, bool overBackground) const {
  RECT area{};
  if (!VisibleArea(dc, area)) return true;  // nothing of it can be seen
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  ScratchSection scratch(width, height, 24);
  DibSection* section = scratch.Get();
  if (section == nullptr) return false;
  if (overBackground && !section->ReadFrom(dc, area.left, area.top, width, height)) return false;
  if (natural_) {
    const int first = area.left - x_;
    ComposeRows(area, overBackground, *section, [first](int i) { return first + i; });
    return section->WriteTo(dc, area.left, area.top, width, height);
  }
  std::unique_ptr<int[]> columns(new (std::nothrow) int[static_cast<size_t>(width)]);
  if (!columns) return false;
  FillColumnMap(area, columns.get());
  const int* map = columns.get();
  ComposeRows(area, overBackground, *section, [map](int i) { return map[i]; });
  return section->WriteTo(dc, area.left, area.top, width, height);
}

template <typename ColumnOf>
void SoftwareCompositor::ComposeRows(const RECT& area, bool overBackground, DibSection& section,
                                     ColumnOf columnOf) const {
  const DibPixelReader reader(image_);
  const int width = area.right - area.left;
  for (int row = 0; row < area.bottom - area.top; ++row) {
    const int sourceRow = SourceRowFromTop(area.top + row);
    BYTE* out = section.RowFromTop(row);
    if (overBackground)
      BlendRow(reader, sourceRow, columnOf, width, keyed_, key_, out);
    else
      CopyRow(reader, sourceRow, columnOf, width, out);
  }
}
