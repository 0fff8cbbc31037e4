#include "framework/pixway/image_decoder_object.h"

#include <cstring>
#include <new>

#include "framework/pixway/bmp_reader.h"
#include "framework/pixway/png_reader.h"

namespace pixway {

ImageDecoderObject* ImageDecoderObject::Create() { return new (std::nothrow) ImageDecoderObject(); }

int32_t ImageDecoderObject::QueryInterface(const framework::Guid& interfaceId, void** object,
                                           int32_t addReference) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (interfaceId != kImageDecoderId) return framework::kNoInterface;
  *object = static_cast<ImageDecoder*>(this);
  if (addReference) AddRef();
  return framework::kOk;
}

int32_t ImageDecoderObject::AddRef() { return ++references_; }

int32_t ImageDecoderObject::Release() {
  const int32_t left = --references_;
  if (left == 0) delete this;
  return left;
}

int32_t ImageDecoderObject::Decode(const uint8_t* data, uint32_t size, int32_t* width,
                                   int32_t* height, uint8_t** pixels) {
  if (pixels == nullptr || width == nullptr || height == nullptr) return framework::kFailed;
  *pixels = nullptr;
  *width = *height = 0;
  if (data == nullptr) return framework::kFailed;
  DecodedImage image;
  const bool read = PngReader::IsPng(data, size)   ? PngReader::Read(data, size, &image)
                    : BmpReader::IsBmp(data, size) ? BmpReader::Read(data, size, &image)
                                                   : false;
  if (!read) return framework::kFailed;
  // The buffer crosses the library boundary, so it is freed here too.
  auto* copy = new (std::nothrow) uint8_t[image.pixels.size()];
  if (copy == nullptr) return framework::kFailed;
  std::memcpy(copy, image.pixels.data(), image.pixels.size());
  *pixels = copy;
  *width = image.width;
  *height = image.height;
  return framework::kOk;
}

void ImageDecoderObject::FreePixels(uint8_t* pixels) { delete[] pixels; }

int32_t CreatePixwayInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                             void** object) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (classId == nullptr || interfaceId == nullptr || *classId != kImageDecoderClassId ||
      *interfaceId != kImageDecoderId) {
    return framework::kNoClass;
  }
  ImageDecoderObject* decoder = ImageDecoderObject::Create();
  if (decoder == nullptr) return framework::kFailed;
  const int32_t result = decoder->QueryInterface(*interfaceId, object, 1);
  decoder->Release();
  return result;
}

}  // namespace pixway
