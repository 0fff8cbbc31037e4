#include "model/container_block.h"

#include "model/block_fields.h"

namespace {

constexpr size_t kMovieAreaOnAt = 0;
constexpr size_t kMovieAreaAt = 1;

}  // namespace

bool ContainerBlock::MovieAreaOn() const { return block_fields::LoadFlag(&bytes_[kMovieAreaOnAt]); }
void ContainerBlock::SetMovieAreaOn(bool on) {
  block_fields::StoreFlag(&bytes_[kMovieAreaOnAt], on);
}

RECT ContainerBlock::MovieArea() const { return LoadLeRect(&bytes_[kMovieAreaAt]); }
void ContainerBlock::SetMovieArea(const RECT& rect) { StoreLeRect(&bytes_[kMovieAreaAt], rect); }
