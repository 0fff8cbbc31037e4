// The image decoder pixway.dll offers the other framework libraries (tvx
// draws the markup's images with it). Reached through oxu's factory like
// every framework class; the ids are ours alone, no outside value binds them.
#pragma once

#include <cstdint>

#include "framework/interfaces.h"

namespace pixway {

// {9F3B6C21-4D8E-4A57-B1C0-7E2D5A93F468} image decoder class
inline constexpr framework::Guid kImageDecoderClassId = {
    0x9F3B6C21, 0x4D8E, 0x4A57, {0xB1, 0xC0, 0x7E, 0x2D, 0x5A, 0x93, 0xF4, 0x68}};
// {2C7A9E54-B1F3-4D06-8E4B-93A1C5D7E820} ImageDecoder
inline constexpr framework::Guid kImageDecoderId = {
    0x2C7A9E54, 0xB1F3, 0x4D06, {0x8E, 0x4B, 0x93, 0xA1, 0xC5, 0xD7, 0xE8, 0x20}};

class ImageDecoder : public framework::Object {
 public:
  // PNG or BMP file bytes to pixels: *width x *height pixels of 4 bytes
  // (blue, green, red, alpha; alpha not premultiplied; 255 = opaque), rows
  // top-down without padding. kOk with *pixels set (free it with
  // FreePixels), or kFailed with *pixels null for anything else, damaged
  // files and images larger than 16384 pixels a side included.
  virtual int32_t FRAMEWORK_CALL Decode(const uint8_t* data, uint32_t size, int32_t* width,
                                        int32_t* height, uint8_t** pixels) = 0;
  virtual void FRAMEWORK_CALL FreePixels(uint8_t* pixels) = 0;

 protected:
  ~ImageDecoder() = default;
};

}  // namespace pixway
