// Skin: the open skin, an ordered list of owned containers and the path of
// the file it came from or was last saved to.
#pragma once

#include <cstddef>
#include <cstdio>
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

  // --- Skin file (skin_file.cpp) -----------------------------------------
  // Saves to the stored file path. The file is written beside the target
  // under a temporary name and renamed over it only when every container
  // was written, so a failed save leaves the previous file as it was. False
  // without containers, without a path, or on any failed write.
  bool Save();
  // Takes path as the file path (unless there are no containers), then
  // saves as above.
  bool Save(const std::string& path);
  // Reads the skin file at path; on success path becomes the file path.
  // False for a missing path or a folder.
  bool Open(const std::string& path);
  // Replaces every container with those read from file. On failure the
  // skin is left without containers.
  bool Read(std::FILE* file);
};
