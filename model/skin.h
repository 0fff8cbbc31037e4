// Skin: the open skin, an ordered list of owned containers and the path of
// the file it came from or was last saved to.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "model/skin_container.h"

class Skin {
 public:
  Skin() = default;
  Skin(const Skin&) = delete;
  Skin& operator=(const Skin&) = delete;

  std::vector<std::unique_ptr<SkinContainer>> containers;
  std::string filePath;  // empty until opened or saved

  // Deletes every container; the file path stays.
  void Clear() { containers.clear(); }

  // First container named name (without regard to case), or null; index
  // receives its position when given.
  SkinContainer* FindContainer(const std::string& name, size_t* index = nullptr);
  const SkinContainer* FindContainer(const std::string& name, size_t* index = nullptr) const;
  // Position of container in the list, or -1.
  int IndexOfContainer(const SkinContainer* container) const;

  // Takes ownership of container and appends it; returns it (null for null).
  SkinContainer* AppendContainer(std::unique_ptr<SkinContainer> container);
  // Creates a container and appends it; null when memory ran out.
  SkinContainer* AddContainer(const std::string& name);
  // Takes the container at index out of the list; null when out of range.
  std::unique_ptr<SkinContainer> RemoveContainer(size_t index);
  // Removes and deletes the container at index; false when out of range.
  bool DeleteContainer(size_t index);
};
