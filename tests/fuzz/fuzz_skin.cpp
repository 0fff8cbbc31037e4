// Reads arbitrary bytes as a skin file.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "model/skin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // fmemopen refuses an empty buffer
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (file == nullptr) return 0;
  Skin skin;
  skin.Read(file);
  std::fclose(file);
  return 0;
}
