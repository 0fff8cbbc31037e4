#include "model/skin_object.h"

#include <new>
#include <utility>

namespace {

// A new image holding a deep copy of source, or an empty one when source is
// absent or empty. Null only when the allocation itself fails; copied is
// false when source held pixels that could not be copied.
std::unique_ptr<DibImage> CopyOrEmpty(const DibImage* source, bool& copied) {
  copied = true;
  const int format = source != nullptr ? source->Format() : DibImage::kFormatBmp;
  std::unique_ptr<DibImage> image(new (std::nothrow) DibImage(format));
  if (!image) {
    copied = false;
    return image;
  }
  if (source != nullptr && source->IsValid()) copied = image->Copy(*source);
  return image;
}

}  // namespace

SkinObject::SkinObject(uint32_t kind, std::string name) : kind(kind), name(std::move(name)) {}

bool SkinObject::CopyFrom(const SkinObject& source) {
  if (&source == this) return true;
  DeleteImages();
  kind = source.kind;
  name = source.name;
  shortcutTarget = source.shortcutTarget;
  visible = source.visible;
  windowShape = source.windowShape;
  mousePolygon = source.mousePolygon;
  orientation = source.orientation;
  block = source.block;

  bool complete = true;
  images.reserve(source.images.size());
  for (const std::unique_ptr<DibImage>& image : source.images) {
    bool copied = false;
    std::unique_ptr<DibImage> copy = CopyOrEmpty(image.get(), copied);
    // Without an image object the later positions would shift; stop here.
    if (!copy) return false;
    if (!copied) complete = false;
    images.push_back(std::move(copy));
  }
  return complete;
}

int SkinObject::AddImage(const DibImage* image) {
  bool copied = false;
  std::unique_ptr<DibImage> added = CopyOrEmpty(image, copied);
  if (!added || !copied) return -1;
  images.push_back(std::move(added));
  return static_cast<int>(images.size() - 1);
}

DibImage* SkinObject::Image(size_t position) {
  return position < images.size() ? images[position].get() : nullptr;
}

const DibImage* SkinObject::Image(size_t position) const {
  return position < images.size() ? images[position].get() : nullptr;
}

bool SkinObject::HasImage(size_t position) const {
  const DibImage* image = Image(position);
  return image != nullptr && image->IsValid();
}
