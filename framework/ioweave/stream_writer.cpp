#include "framework/ioweave/stream_writer.h"

void StreamWriter::write(const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (complete_ && size > 0) {
    uint32_t part = size > 0x40000000u ? 0x40000000u : static_cast<uint32_t>(size);
    uint32_t written = stream_->Write(bytes, part);
    if (written != part) complete_ = false;
    bytes += part;
    size -= part;
  }
}
