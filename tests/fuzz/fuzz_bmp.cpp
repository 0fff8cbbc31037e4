// Reads arbitrary bytes as a BMP file (or bare DIB) and round-trips what
// decodes.
#include "imaging/little_endian.h"
#include "tests/fuzz/fuzz_image.h"

namespace {

// Width and height as the reader will see them (file header optional,
// 12-byte core header or a longer one).
bool AsksForLargePicture(const uint8_t* data, size_t size) {
  const size_t info = size >= 2 && data[0] == 'B' && data[1] == 'M' ? 14 : 0;
  if (size < info + 12) return false;
  const uint8_t* header = data + info;
  if (LoadLe32(header) == 12)
    return fuzz_image::IsLargePicture(LoadLe16(header + 4), LoadLe16(header + 6));
  return fuzz_image::IsLargePicture(LoadLeI32(header + 4), LoadLeI32(header + 8));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (AsksForLargePicture(data, size)) return 0;
  fuzz_image::Run(data, size, DibImage::kFormatBmp);
  return 0;
}
