// pixway's image decoder object: PNG through libpng, BMP by hand.
#pragma once

#include <atomic>

#include "framework/pixway/pixway_interface.h"

namespace pixway {

class ImageDecoderObject final : public ImageDecoder {
 public:
  // One reference for the caller, or null.
  static ImageDecoderObject* Create();

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddRef() override;
  int32_t FRAMEWORK_CALL Release() override;

  int32_t FRAMEWORK_CALL Decode(const uint8_t* data, uint32_t size, int32_t* width, int32_t* height,
                                uint8_t** pixels) override;
  void FRAMEWORK_CALL FreePixels(uint8_t* pixels) override;

 private:
  ImageDecoderObject() = default;
  ~ImageDecoderObject() = default;

  std::atomic<int32_t> references_{1};
};

// TCreateInstance of pixway: only (kImageDecoderClassId, kImageDecoderId).
int32_t CreatePixwayInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                             void** object);

}  // namespace pixway
