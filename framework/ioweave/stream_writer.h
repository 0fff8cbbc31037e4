// A pugixml writer that writes into the framework's stream interface and
// remembers whether every byte went in.
#pragma once

#include <pugixml.hpp>

#include <cstdint>

#include "framework/interfaces.h"

class StreamWriter final : public pugi::xml_writer {
 public:
  explicit StreamWriter(framework::ByteStream* stream) : stream_(stream) {}
  void write(const void* data, size_t size) override;
  bool complete() const { return complete_; }

 private:
  framework::ByteStream* stream_;
  bool complete_ = true;
};
