// The editor configuration: container names, default objects, the
// container buttons and the start-up read, over an in-memory profile that
// cuts texts to the buffer size as the platform's profile call does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "model/editor_configuration.h"
#include "model/profile_reader.h"
#include "model/skin_object_kind.h"

namespace {

using Entry = EditorConfiguration::DefaultObject;
using KeyValues = std::vector<std::pair<std::string, std::string>>;

std::string Lowered(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Sections and keys are found without regard to case; values come back raw
// (no white space dropped), so the stripping under test is the
// configuration's own.
class MemoryProfile : public ProfileReader {
 public:
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    values_[{Lowered(section), Lowered(key)}] = value;
  }
  void SetAll(const std::string& section, const KeyValues& keyValues) {
    for (const auto& keyValue : keyValues) Set(section, keyValue.first, keyValue.second);
  }

  int GetInt(const char* section, const char* key, int defaultValue) override {
    const std::string* value = Find(section, key);
    return value ? static_cast<int>(std::strtol(value->c_str(), nullptr, 10)) : defaultValue;
  }

  std::string GetString(const char* section, const char* key, const char* defaultValue,
                        std::size_t capacity) override {
    const std::string* value = Find(section, key);
    const std::string text = value ? *value : std::string(defaultValue ? defaultValue : "");
    return capacity == 0 ? std::string() : text.substr(0, capacity - 1);
  }

 private:
  const std::string* Find(const char* section, const char* key) const {
    const auto found = values_.find({Lowered(section), Lowered(key)});
    return found == values_.end() ? nullptr : &found->second;
  }

  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace

bool operator==(const Entry& a, const Entry& b) { return a.name == b.name && a.kind == b.kind; }
void PrintTo(const Entry& entry, std::ostream* out) {
  *out << "{\"" << entry.name << "\", kind " << entry.kind << "}";
}

namespace {

constexpr uint32_t kButton = SkinObjectKind::kButton;
constexpr uint32_t kListBox = SkinObjectKind::kListBox;
constexpr uint32_t kSlider = SkinObjectKind::kSlider;
constexpr uint32_t kDriveList = SkinObjectKind::kDriveList;
constexpr uint32_t kText = SkinObjectKind::kText;

const std::string kLongName = std::string(255, 'n');

struct DefaultObjectsCase {
  const char* what;
  KeyValues keys;
  bool result;
  std::vector<Entry> entries;
};

void PrintTo(const DefaultObjectsCase& c, std::ostream* out) { *out << c.what; }

class DefaultObjectsTest : public testing::TestWithParam<DefaultObjectsCase> {};

TEST_P(DefaultObjectsTest, ReadsTheListedEntries) {
  const DefaultObjectsCase& c = GetParam();
  MemoryProfile profile;
  profile.SetAll("DefaultObjects", c.keys);
  EditorConfiguration configuration;
  EXPECT_EQ(configuration.ReadDefaultObjects(profile), c.result);
  EXPECT_EQ(configuration.DefaultObjects(), c.entries);
}

const DefaultObjectsCase kDefaultObjectsCases[] = {
    {"empty name skips its entry; type names ignore case",
     {{"ObjectsCount", "2"},
      {"Object1", ""},
      {"Type1", "ListBox"},
      {"Object2", "Play"},
      {"Type2", "slider"}},
     true,
     {{"Play", kSlider}}},
    {"missing type is a Button",
     {{"ObjectsCount", "1"}, {"Object1", "Stop"}},
     true,
     {{"Stop", kButton}}},
    {"unlisted type names are Text",
     {{"ObjectsCount", "3"},
      {"Object1", "Logo"},
      {"Type1", "Animation"},
      {"Object2", "Clock"},
      {"Type2", "Text"},
      {"Object3", "Go"},
      {"Type3", "Buttons"}},
     true,
     {{"Logo", kText}, {"Clock", kText}, {"Go", kText}}},
    {"all four type names in any case",
     {{"ObjectsCount", "4"},
      {"Object1", "a"},
      {"Type1", "BUTTON"},
      {"Object2", "b"},
      {"Type2", "listbox"},
      {"Object3", "c"},
      {"Type3", "SlIdEr"},
      {"Object4", "d"},
      {"Type4", "driveLIST"}},
     true,
     {{"a", kButton}, {"b", kListBox}, {"c", kSlider}, {"d", kDriveList}}},
    {"white space around names and types is dropped, inside kept",
     {{"ObjectsCount", "1"}, {"Object1", " \t Play list \r\n"}, {"Type1", "\v ListBox \f"}},
     true,
     {{"Play list", kListBox}}},
    {"a blank type skips the entry instead of defaulting",
     {{"ObjectsCount", "2"}, {"Object1", "Mute"}, {"Type1", "   "}, {"Object2", "Pause"}},
     true,
     {{"Pause", kButton}}},
    {"blank names skip their entries",
     {{"ObjectsCount", "2"}, {"Object1", " \t "}, {"Object2", "Next"}},
     true,
     {{"Next", kButton}}},
    {"entries past the count are not read",
     {{"ObjectsCount", "1"}, {"Object1", "Prev"}, {"Object2", "Next"}},
     true,
     {{"Prev", kButton}}},
    {"a count beyond the keys reads the keys there are",
     {{"ObjectsCount", "5"}, {"Object2", "Open"}, {"Type2", "Button"}},
     true,
     {{"Open", kButton}}},
    {"names are cut to 255 characters",
     {{"ObjectsCount", "2"}, {"Object1", kLongName}, {"Object2", kLongName + "XYZ"}},
     true,
     {{kLongName, kButton}, {kLongName, kButton}}},
    {"the name is cut before it is stripped",
     {{"ObjectsCount", "1"}, {"Object1", std::string(251, ' ') + "Play" + "Pause"}},
     true,
     {{"Play", kButton}}},
    {"type names are cut to 49 characters before stripping; 49 are kept",
     {{"ObjectsCount", "2"},
      {"Object1", "Volume"},
      {"Type1", "Slider" + std::string(43, ' ') + "x"},
      {"Object2", "Drives"},
      {"Type2", "DriveList" + std::string(39, ' ') + "x"}},
     true,
     {{"Volume", kSlider}, {"Drives", kText}}},
    {"no count key", {{"Object1", "Play"}}, false, {}},
    {"count zero", {{"ObjectsCount", "0"}, {"Object1", "Play"}}, false, {}},
    {"negative count", {{"ObjectsCount", "-1"}, {"Object1", "Play"}}, false, {}},
    {"no usable entry", {{"ObjectsCount", "2"}, {"Object1", ""}, {"Type2", "Slider"}}, false, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, DefaultObjectsTest, testing::ValuesIn(kDefaultObjectsCases),
                         [](const testing::TestParamInfo<DefaultObjectsCase>& info) {
                           return "Case" + std::to_string(info.index);
                         });

struct ContainerNamesCase {
  const char* what;
  KeyValues keys;
  bool result;
  std::vector<std::string> names;
};

void PrintTo(const ContainerNamesCase& c, std::ostream* out) { *out << c.what; }

class ContainerNamesTest : public testing::TestWithParam<ContainerNamesCase> {};

TEST_P(ContainerNamesTest, ReadsTheListedNames) {
  const ContainerNamesCase& c = GetParam();
  MemoryProfile profile;
  profile.SetAll("Containers", c.keys);
  EditorConfiguration configuration;
  EXPECT_EQ(configuration.ReadContainerNames(profile), c.result);
  EXPECT_EQ(configuration.ContainerNames(), c.names);
}

const ContainerNamesCase kContainerNamesCases[] = {
    {"a blank name is skipped",
     {{"ContainersCount", "3"},
      {"Container1", "MainWindow"},
      {"Container2", "  "},
      {"Container3", " PlaylistWindow\t"}},
     true,
     {"MainWindow", "PlaylistWindow"}},
    {"missing keys are skipped, keys past the count ignored",
     {{"ContainersCount", "2"}, {"Container2", "MiniPlayer"}, {"Container3", "Equalizer"}},
     true,
     {"MiniPlayer"}},
    {"names are cut to 255 characters",
     {{"ContainersCount", "1"}, {"Container1", kLongName + "tail"}},
     true,
     {kLongName}},
    {"no count key", {{"Container1", "MainWindow"}}, false, {}},
    {"count zero", {{"ContainersCount", "0"}, {"Container1", "MainWindow"}}, false, {}},
    {"negative count", {{"ContainersCount", "-3"}, {"Container1", "MainWindow"}}, false, {}},
    {"only blank names", {{"ContainersCount", "1"}, {"Container1", "\t"}}, false, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ContainerNamesTest, testing::ValuesIn(kContainerNamesCases),
                         [](const testing::TestParamInfo<ContainerNamesCase>& info) {
                           return "Case" + std::to_string(info.index);
                         });

TEST(EditorConfigurationTest, ReadingAgainReplacesTheLists) {
  MemoryProfile first;
  first.SetAll("Containers", {{"ContainersCount", "1"}, {"Container1", "MainWindow"}});
  first.SetAll("DefaultObjects", {{"ObjectsCount", "1"}, {"Object1", "Play"}});
  MemoryProfile second;
  second.SetAll("Containers", {{"ContainersCount", "0"}});
  second.SetAll("DefaultObjects", {{"ObjectsCount", "1"}, {"Object1", ""}});

  EditorConfiguration configuration;
  ASSERT_TRUE(configuration.ReadContainerNames(first));
  ASSERT_TRUE(configuration.ReadDefaultObjects(first));
  EXPECT_FALSE(configuration.ReadContainerNames(second));
  EXPECT_FALSE(configuration.ReadDefaultObjects(second));
  EXPECT_TRUE(configuration.ContainerNames().empty());
  EXPECT_TRUE(configuration.DefaultObjects().empty());
}

TEST(EditorConfigurationTest, StartUpReadAddsAButtonPerContainerAfterTheConfiguredObjects) {
  MemoryProfile profile;
  profile.SetAll("Containers", {{"ContainersCount", "3"},
                                {"Container1", "MainWindow"},
                                {"Container2", ""},
                                {"Container3", "MiniPlayer"}});
  profile.SetAll(
      "DefaultObjects",
      {{"ObjectsCount", "2"}, {"Object1", "Volume"}, {"Type1", "Slider"}, {"Object2", "Play"}});

  EditorConfiguration configuration;
  ASSERT_TRUE(configuration.Read(profile));
  EXPECT_EQ(configuration.ContainerNames(), (std::vector<std::string>{"MainWindow", "MiniPlayer"}));
  const std::vector<Entry> expected = {{"Volume", kSlider},
                                       {"Play", kButton},
                                       {"container(MainWindow)", kButton},
                                       {"container(MiniPlayer)", kButton}};
  EXPECT_EQ(configuration.DefaultObjects(), expected);
}

TEST(EditorConfigurationTest, StartUpReadNeedsDefaultObjectsButNoContainers) {
  MemoryProfile noContainers;
  noContainers.SetAll("DefaultObjects", {{"ObjectsCount", "1"}, {"Object1", "Play"}});
  EditorConfiguration configuration;
  EXPECT_TRUE(configuration.Read(noContainers));
  EXPECT_TRUE(configuration.ContainerNames().empty());
  EXPECT_EQ(configuration.DefaultObjects(), (std::vector<Entry>{{"Play", kButton}}));

  // Containers alone are no usable configuration, and they add no buttons.
  MemoryProfile noObjects;
  noObjects.SetAll("Containers", {{"ContainersCount", "1"}, {"Container1", "MainWindow"}});
  EditorConfiguration failed;
  EXPECT_FALSE(failed.Read(noObjects));
  EXPECT_TRUE(failed.DefaultObjects().empty());
}

TEST(EditorConfigurationTest, FileLivesInTheProgramFolder) {
  EXPECT_EQ(EditorConfiguration::PathBesideModule("C:\\Program Files\\Qorva\\QorvaEditor.exe"),
            "C:\\Program Files\\Qorva\\QorvaEditor.INI");
  EXPECT_EQ(EditorConfiguration::PathBesideModule("\\\\server\\share\\a.b\\editor"),
            "\\\\server\\share\\a.b\\QorvaEditor.INI");
  EXPECT_EQ(EditorConfiguration::PathBesideModule("C:\\"), "C:\\QorvaEditor.INI");
  EXPECT_EQ(EditorConfiguration::PathBesideModule("QorvaEditor.exe"), "QorvaEditor.INI");
}

}  // namespace
