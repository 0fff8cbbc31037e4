#include "model/editor_configuration.h"

#include "model/profile_reader.h"
#include "model/skin_object_kind.h"

namespace {

// The characters the C library calls white space in the "C" locale; spelt
// out so that bytes above 127 of the ANSI code page are never taken for it.
constexpr const char* kWhiteSpace = " \t\n\v\f\r";

std::string Stripped(const std::string& text) {
  const std::size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string::npos) return std::string();
  const std::size_t last = text.find_last_not_of(kWhiteSpace);
  return text.substr(first, last - first + 1);
}

bool EqualIgnoringCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return i == a.size() && b[i] == '\0';
}

// Key names carry their entry number in decimal: "Container1", "Type12".
std::string NumberedKey(const char* prefix, long long number) {
  return prefix + std::to_string(number);
}

std::string StrippedEntry(ProfileReader& profile, const char* section, const std::string& key,
                          const char* defaultValue, std::size_t capacity) {
  return Stripped(profile.GetString(section, key.c_str(), defaultValue, capacity));
}

}  // namespace

bool EditorConfiguration::ReadContainerNames(ProfileReader& profile) {
  containerNames_.clear();
  const int count = profile.GetInt(kContainersSection, "ContainersCount", 0);
  if (count < 1) return false;
  // The index is wider than the count so that a count of INT_MAX ends.
  for (long long i = 1; i <= count; ++i) {
    std::string name =
        StrippedEntry(profile, kContainersSection, NumberedKey("Container", i), "", kNameCapacity);
    if (!name.empty()) containerNames_.push_back(std::move(name));
  }
  return !containerNames_.empty();
}

bool EditorConfiguration::ReadDefaultObjects(ProfileReader& profile) {
  defaultObjects_.clear();
  const int count = profile.GetInt(kDefaultObjectsSection, "ObjectsCount", 0);
  if (count < 1) return false;
  for (long long i = 1; i <= count; ++i) {
    std::string name =
        StrippedEntry(profile, kDefaultObjectsSection, NumberedKey("Object", i), "", kNameCapacity);
    if (name.empty()) continue;
    const std::string type = StrippedEntry(profile, kDefaultObjectsSection, NumberedKey("Type", i),
                                           kDefaultTypeName, kTypeCapacity);
    if (type.empty()) continue;
    defaultObjects_.push_back(DefaultObject{std::move(name), KindOfTypeName(type)});
  }
  return !defaultObjects_.empty();
}

void EditorConfiguration::AppendContainerButtons() {
  for (const std::string& name : containerNames_) {
    defaultObjects_.push_back(DefaultObject{ContainerButtonName(name), SkinObjectKind::kButton});
  }
}

bool EditorConfiguration::Read(ProfileReader& profile) {
  if (!ReadDefaultObjects(profile)) return false;
  ReadContainerNames(profile);
  AppendContainerButtons();
  return true;
}

uint32_t EditorConfiguration::KindOfTypeName(const std::string& typeName) {
  if (EqualIgnoringCase(typeName, "Button")) return SkinObjectKind::kButton;
  if (EqualIgnoringCase(typeName, "ListBox")) return SkinObjectKind::kListBox;
  if (EqualIgnoringCase(typeName, "Slider")) return SkinObjectKind::kSlider;
  if (EqualIgnoringCase(typeName, "DriveList")) return SkinObjectKind::kDriveList;
  return SkinObjectKind::kText;
}

std::string EditorConfiguration::ContainerButtonName(const std::string& containerName) {
  return "container(" + containerName + ")";
}

std::string EditorConfiguration::PathBesideModule(const std::string& modulePath) {
  const std::size_t lastBackslash = modulePath.rfind('\\');
  const std::size_t folderLength = lastBackslash == std::string::npos ? 0 : lastBackslash + 1;
  return modulePath.substr(0, folderLength) + kFileName;
}
