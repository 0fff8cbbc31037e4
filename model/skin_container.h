// SkinContainer: one window of a skin (the main window, the menu container
// and so on) with its background, window shape and ordered objects. It owns
// its objects; every copy is deep.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/win32_types.h"
#include "imaging/window_region.h"
#include "model/container_block.h"
#include "model/skin_object.h"

#ifdef _WIN32
class CRgn;
#endif

class SkinContainer {
 public:
  static constexpr const char* kMainWindowName = "MainWindow";
  static constexpr const char* kMenuContainerName = "QMenu";

  explicit SkinContainer(std::string name = std::string());
  SkinContainer(const SkinContainer&) = delete;
  SkinContainer& operator=(const SkinContainer&) = delete;

  // In creation order of the live controls and in file order.
  std::vector<std::unique_ptr<SkinObject>> objects;
  std::string name;
  POINT alphablendOffset{0, 0};  // where the alphablend background sits
  DibImage background;
  WindowRegion windowShape;  // the region wins over the polygon points
  ContainerBlock block;

  // Container names compare without regard to case (ASCII letters).
  static bool SameName(const std::string& first, const std::string& second);
  bool HasName(const std::string& other) const { return SameName(name, other); }

  // Deletes the objects, the background and the window shape. The name, the
  // alphablend offset and the block stay.
  void Reset();
  // Replaces everything with a deep copy of source. Returns false when
  // memory ran out (the copy is then incomplete but consistent).
  bool CopyFrom(const SkinContainer& source);

  // Makes image the container's alphablend background, held by its first
  // AlphaBackground object. An absent or empty image removes that object.
  // Returns false when memory ran out.
  bool SetAlphaBackground(const DibImage* image);

  // Takes ownership of object and appends it; returns it (null for null).
  SkinObject* AppendObject(std::unique_ptr<SkinObject> object);
  // Creates an object and appends it; null when memory ran out.
  SkinObject* AddObject(uint32_t kind, const std::string& objectName = std::string());
  // Takes the object at index out of the list; null when out of range.
  std::unique_ptr<SkinObject> RemoveObject(size_t index);
  // Removes and deletes the object at index; false when out of range.
  bool DeleteObject(size_t index);
  // Position of object in the list, or -1.
  int IndexOfObject(const SkinObject* object) const;
  // First object of kind, or null; index receives its position when given.
  SkinObject* FindFirstOfKind(uint32_t kind, size_t* index = nullptr);
  const SkinObject* FindFirstOfKind(uint32_t kind, size_t* index = nullptr) const;

  // --- Skin file record (skin_container_file.cpp) ------------------------
  // Whether Write would accept the container: its name and every object's
  // name line read back whole and the name is not blank (the reader refuses
  // a blank one, which would make the whole file unreadable).
  bool CanWrite() const;
  // Writes the container record with its objects; false on any failed
  // write or when CanWrite is false.
  bool Write(std::FILE* file);
  // Resets the container and fills it from its record; false when the
  // record is malformed, cut short or claims more than the file holds (the
  // container then holds what was read so far).
  bool Read(std::FILE* file);

#ifdef _WIN32
  // skin_container_win.cpp. The window shape as a region: a copy of the
  // region when present, else the polygon (alternate fill); without either
  // it is an empty region. Unlike SkinObject::GetWindowRegion, which leaves
  // an unshaped object without a handle, out always receives one unless the
  // platform fails. Returns true when the region covers at least one pixel.
  bool GetWindowRegionOrEmpty(CRgn& out) const;
#endif

 private:
  bool ReadBackground(std::FILE* file);
  bool ReadObjects(std::FILE* file);
};
