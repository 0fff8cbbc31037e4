#include "model/skin_container.h"

#include <new>
#include <utility>

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

SkinContainer::SkinContainer(std::string name) : name(std::move(name)) {}

bool SkinContainer::SameName(const std::string& first, const std::string& second) {
  if (first.size() != second.size()) return false;
  for (size_t i = 0; i < first.size(); ++i) {
    if (FoldCase(first[i]) != FoldCase(second[i])) return false;
  }
  return true;
}

void SkinContainer::Reset() {
  objects.clear();
  background.Destroy();
  windowShape.Clear();
}

bool SkinContainer::CopyFrom(const SkinContainer& source) {
  if (&source == this) return true;
  Reset();
  name = source.name;
  alphablendOffset = source.alphablendOffset;
  windowShape = source.windowShape;
  block = source.block;

  bool complete = true;
  if (source.background.IsValid() && !background.Copy(source.background)) complete = false;
  objects.reserve(source.objects.size());
  for (const std::unique_ptr<SkinObject>& object : source.objects) {
    if (!object) continue;
    std::unique_ptr<SkinObject> copy(new (std::nothrow) SkinObject());
    if (!copy) return false;
    if (!copy->CopyFrom(*object)) complete = false;
    objects.push_back(std::move(copy));
  }
  return complete;
}

bool SkinContainer::SetAlphaBackground(const DibImage* image) {
  size_t index = 0;
  SkinObject* holder = FindFirstOfKind(SkinObjectKind::kAlphaBackground, &index);
  if (image == nullptr || !image->IsValid()) {
    if (holder != nullptr) DeleteObject(index);
    return true;
  }
  // Copy before touching the holder: image may be the holder's own picture.
  std::unique_ptr<DibImage> copy(new (std::nothrow) DibImage(image->Format()));
  if (!copy || !copy->Copy(*image)) return false;
  if (holder == nullptr) holder = AddObject(SkinObjectKind::kAlphaBackground);
  if (holder == nullptr) return false;
  holder->DeleteImages();
  holder->images.push_back(std::move(copy));
  return true;
}

SkinObject* SkinContainer::AppendObject(std::unique_ptr<SkinObject> object) {
  if (!object) return nullptr;
  objects.push_back(std::move(object));
  return objects.back().get();
}

SkinObject* SkinContainer::AddObject(uint32_t kind, const std::string& objectName) {
  std::unique_ptr<SkinObject> object(new (std::nothrow) SkinObject(kind, objectName));
  return AppendObject(std::move(object));
}

std::unique_ptr<SkinObject> SkinContainer::RemoveObject(size_t index) {
  if (index >= objects.size()) return nullptr;
  std::unique_ptr<SkinObject> removed = std::move(objects[index]);
  objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(index));
  return removed;
}

bool SkinContainer::DeleteObject(size_t index) { return RemoveObject(index) != nullptr; }

int SkinContainer::IndexOfObject(const SkinObject* object) const {
  if (object == nullptr) return -1;
  for (size_t i = 0; i < objects.size(); ++i) {
    if (objects[i].get() == object) return static_cast<int>(i);
  }
  return -1;
}

SkinObject* SkinContainer::FindFirstOfKind(uint32_t kind, size_t* index) {
  const SkinContainer& self = *this;
  return const_cast<SkinObject*>(self.FindFirstOfKind(kind, index));
}

const SkinObject* SkinContainer::FindFirstOfKind(uint32_t kind, size_t* index) const {
  for (size_t i = 0; i < objects.size(); ++i) {
    if (objects[i] && objects[i]->kind == kind) {
      if (index != nullptr) *index = i;
      return objects[i].get();
    }
  }
  return nullptr;
}
