// EditorConfiguration: what the editor's "QorvaEditor.INI" says the designer
// may use — the container names that New Container offers and the objects
// that Insert Object lists.
//
// The file is read through a ProfileReader so that the rules below (buffer
// sizes, white space, type names) hold the same for the real profile calls
// and for tests. The editor never writes the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ProfileReader;

class EditorConfiguration {
 public:
  // One entry of the Insert Object list.
  struct DefaultObject {
    std::string name;
    uint32_t kind;  // a SkinObjectKind number
  };

  static constexpr const char* kFileName = "QorvaEditor.INI";
  static constexpr const char* kContainersSection = "Containers";
  static constexpr const char* kDefaultObjectsSection = "DefaultObjects";
  // Buffer sizes of the profile reads, terminator included: names keep at
  // most 255 characters, type names at most 49.
  static constexpr std::size_t kNameCapacity = 256;
  static constexpr std::size_t kTypeCapacity = 50;
  static constexpr const char* kDefaultTypeName = "Button";

  // Replaces the container-name list with the non-blank Container1 ..
  // ContainerN entries (N = ContainersCount). True when it is not empty.
  bool ReadContainerNames(ProfileReader& profile);
  // Replaces the default-object list with the Object<i>/Type<i> entries of
  // the DefaultObjects section that have both a name and a type. True when
  // it is not empty.
  bool ReadDefaultObjects(ProfileReader& profile);
  // Appends a Button entry "container(<name>)" for every container name, in
  // list order.
  void AppendContainerButtons();
  // The start-up read: the default objects first; without any the editor
  // cannot run and false comes back (the container names are then not
  // read). Otherwise the container names and their buttons follow, and an
  // empty container-name list is no failure.
  bool Read(ProfileReader& profile);

  const std::vector<std::string>& ContainerNames() const { return containerNames_; }
  const std::vector<DefaultObject>& DefaultObjects() const { return defaultObjects_; }

  // "Button", "ListBox", "Slider", "DriveList" in any case give their kinds;
  // every other text gives Text.
  static uint32_t KindOfTypeName(const std::string& typeName);
  static std::string ContainerButtonName(const std::string& containerName);
  // kFileName in the folder of modulePath: the path up to and including
  // its last backslash (none: the bare file name).
  static std::string PathBesideModule(const std::string& modulePath);

 private:
  std::vector<std::string> containerNames_;
  std::vector<DefaultObject> defaultObjects_;
};
