// One image of the markup, read from the archive, decoded by the image
// decoder of the framework and laid onto the window's background colour, so
// drawing it needs no blending: 32-bit pixels (0x00RRGGBB), rows top-down.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/interfaces.h"

namespace tvx {

class MarkupImage {
 public:
  // False (and an empty image) when the entry is missing, the decoder is not
  // there or the bytes are not an image. background is 0x00RRGGBB.
  bool Load(framework::Archive* archive, const std::wstring& entry,
            framework::CreateInstanceFunction factory, uint32_t background);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint32_t>& pixels() const { return pixels_; }
  bool empty() const { return pixels_.empty(); }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace tvx
