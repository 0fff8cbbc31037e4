#include "framework/tvx/markup_image.h"

#include "framework/common/utf8_text.h"
#include "framework/pixway/pixway_interface.h"

namespace tvx {

namespace {

uint32_t Blend(uint32_t over, uint32_t under, uint32_t alpha) {
  return (over * alpha + under * (255 - alpha) + 127) / 255;
}

}  // namespace

bool MarkupImage::Load(framework::Archive* archive, const std::wstring& entry,
                       framework::CreateInstanceFunction factory, uint32_t background) {
  width_ = height_ = 0;
  pixels_.clear();
  if (archive == nullptr || factory == nullptr) return false;
  void* made = nullptr;
  if (framework::Failed(
          factory(&pixway::kImageDecoderClassId, &pixway::kImageDecoderId, &made, nullptr)) ||
      made == nullptr) {
    return false;
  }
  auto* decoder = static_cast<pixway::ImageDecoder*>(made);
  uint8_t* bytes = nullptr;
  const uint32_t size = archive->ReadEntry(framework_text::Utf8FromWide(entry).c_str(), &bytes);
  int32_t width = 0;
  int32_t height = 0;
  uint8_t* decoded = nullptr;
  const bool ok = size > 0 && bytes != nullptr &&
                  !framework::Failed(decoder->Decode(bytes, size, &width, &height, &decoded)) &&
                  decoded != nullptr && width > 0 && height > 0;
  archive->FreeBuffer(bytes);
  if (ok) {
    const uint32_t backRed = (background >> 16) & 0xFF;
    const uint32_t backGreen = (background >> 8) & 0xFF;
    const uint32_t backBlue = background & 0xFF;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    pixels_.resize(count);
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* p = decoded + i * 4;
      const uint32_t alpha = p[3];
      pixels_[i] = (Blend(p[2], backRed, alpha) << 16) | (Blend(p[1], backGreen, alpha) << 8) |
                   Blend(p[0], backBlue, alpha);
    }
    width_ = width;
    height_ = height;
  }
  decoder->FreePixels(decoded);
  decoder->Release();
  return ok;
}

}  // namespace tvx
