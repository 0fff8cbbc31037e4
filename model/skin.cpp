#include "model/skin.h"

#include <new>
#include <utility>

SkinContainer* Skin::FindContainer(const std::string& name, size_t* index) {
  const Skin& self = *this;
  return const_cast<SkinContainer*>(self.FindContainer(name, index));
}

const SkinContainer* Skin::FindContainer(const std::string& name, size_t* index) const {
  for (size_t i = 0; i < containers.size(); ++i) {
    if (containers[i] && containers[i]->HasName(name)) {
      if (index != nullptr) *index = i;
      return containers[i].get();
    }
  }
  return nullptr;
}

int Skin::IndexOfContainer(const SkinContainer* container) const {
  if (container == nullptr) return -1;
  for (size_t i = 0; i < containers.size(); ++i) {
    if (containers[i].get() == container) return static_cast<int>(i);
  }
  return -1;
}

SkinContainer* Skin::AppendContainer(std::unique_ptr<SkinContainer> container) {
  if (!container) return nullptr;
  containers.push_back(std::move(container));
  return containers.back().get();
}

SkinContainer* Skin::AddContainer(const std::string& name) {
  std::unique_ptr<SkinContainer> container(new (std::nothrow) SkinContainer(name));
  return AppendContainer(std::move(container));
}

std::unique_ptr<SkinContainer> Skin::RemoveContainer(size_t index) {
  if (index >= containers.size()) return nullptr;
  std::unique_ptr<SkinContainer> removed = std::move(containers[index]);
  containers.erase(containers.begin() + static_cast<std::ptrdiff_t>(index));
  return removed;
}

bool Skin::DeleteContainer(size_t index) { return RemoveContainer(index) != nullptr; }
