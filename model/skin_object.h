// SkinObject: one element of a skin container (button, slider, list, text,
// animation, ...). It owns its images; every copy is deep.
//
// images holds one entry per image position of the kind (SkinObjectKind).
// A position whose bitmap was never set holds an empty DibImage, never a
// null pointer, so positions do not shift when images are copied or saved.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/win32_types.h"
#include "imaging/window_region.h"
#include "model/object_block.h"
#include "model/skin_object_kind.h"

#ifdef _WIN32
class CRgn;
#endif

class SkinObject {
 public:
  static constexpr int16_t kHorizontal = 0;
  static constexpr int16_t kVertical = 1;

  explicit SkinObject(uint32_t kind = SkinObjectKind::kButton, std::string name = std::string());
  SkinObject(const SkinObject&) = delete;
  SkinObject& operator=(const SkinObject&) = delete;

  std::vector<std::unique_ptr<DibImage>> images;
  uint32_t kind;
  std::string name;
  std::string shortcutTarget;         // Shortcut objects only
  uint32_t visible = 1;               // "Show object"; 0 hides the live control
  WindowRegion windowShape;           // the region wins over the polygon points
  std::vector<POINT> mousePolygon;    // where buttons and shortcuts react
  int16_t orientation = kHorizontal;  // sliders: kHorizontal or kVertical
  ObjectBlock block;

  // Replaces everything with a deep copy of source. Empty images are copied
  // as empty images, so image positions stay the same. Returns false when
  // memory ran out: an image whose pixels could not be copied is left empty
  // at its position; without memory for an image object the list ends there.
  bool CopyFrom(const SkinObject& source);

  // Appends a deep copy of image when it holds pixels, else an empty image.
  // Returns the new position, or -1 (nothing appended) when memory ran out.
  int AddImage(const DibImage* image);
  // The image at position, or null when the position does not exist. The
  // image may be empty.
  DibImage* Image(size_t position);
  const DibImage* Image(size_t position) const;
  // Whether position exists and its image holds pixels.
  bool HasImage(size_t position) const;
  void DeleteImages() { images.clear(); }

  // The block's font; false when the block holds none.
  bool GetFont(LOGFONTA& font) const { return block.GetFont(font); }

  // --- Skin file record (skin_object_file.cpp) ---------------------------
  // Whether the name line (for shortcuts: name, TAB, target) reads back
  // whole; Write refuses lines that do not.
  bool CanWriteNameLine() const;
  // Writes the object record; false on any failed write. Not const: the
  // image encoder works on the images themselves.
  bool Write(std::FILE* file);
  // Fills a freshly created object from its record; false when the record
  // is malformed, cut short or claims more than the file holds.
  bool Read(std::FILE* file);

#ifdef _WIN32
  // skin_object_win.cpp. The window shape as a region: a copy of the region
  // when present, else the polygon (alternate fill). With neither, out is
  // left without a handle (the window stays rectangular) and false returned;
  // SkinContainer::GetWindowRegionOrEmpty hands out an empty one instead.
  bool GetWindowRegion(CRgn& out) const;
  // The mouse polygon as a region (alternate fill). Without points, out is
  // left without a handle (the control reacts on its whole shape) and false
  // returned.
  bool MouseRegion(CRgn& out) const;
#endif

 private:
  bool ReadImages(std::FILE* file);
};
