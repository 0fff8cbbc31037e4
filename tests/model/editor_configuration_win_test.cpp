// The editor configuration read from real INI files through the platform's
// profile calls: what those calls add (case-blind keys, quotes, white space
// around "=", missing files and keys, the buffer cut) and the shipped sample.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "imaging/win32_types.h"
#include "model/editor_configuration.h"
#include "model/profile_file_win.h"
#include "model/skin_object_kind.h"

namespace {

using Entry = EditorConfiguration::DefaultObject;

// A temporary folder for INI files. Each file gets a name of its own: the
// profile calls may cache a file they read, so a rewritten file could be
// read stale.
class EditorConfigurationFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = "";
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    folder_ =
        std::string(temp) + "qorva_editor_configuration_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    ASSERT_NE(GetFileAttributesA(folder_.c_str()), INVALID_FILE_ATTRIBUTES);
  }

  void TearDown() override {
    for (const std::string& path : written_) DeleteFileA(path.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  // Writes text (lines ending in CR LF) to a new file and gives its path.
  std::string Write(const std::string& text) {
    const std::string path = folder_ + "\\config" + std::to_string(written_.size()) + ".ini";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return std::string();
    const bool complete = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    std::fclose(file);
    written_.push_back(path);
    return complete ? path : std::string();
  }

  std::string MissingPath() const { return folder_ + "\\missing.ini"; }

 private:
  std::string folder_;
  std::vector<std::string> written_;
};

bool SameEntries(const std::vector<Entry>& actual, const std::vector<Entry>& expected) {
  if (actual.size() != expected.size()) return false;
  for (size_t i = 0; i < actual.size(); ++i) {
    if (actual[i].name != expected[i].name || actual[i].kind != expected[i].kind) return false;
  }
  return true;
}

std::string Describe(const std::vector<Entry>& entries) {
  std::string text;
  for (const Entry& entry : entries) {
    text += "{" + entry.name + ", " + std::to_string(entry.kind) + "} ";
  }
  return text;
}

constexpr uint32_t kButton = SkinObjectKind::kButton;
constexpr uint32_t kListBox = SkinObjectKind::kListBox;
constexpr uint32_t kSlider = SkinObjectKind::kSlider;
constexpr uint32_t kDriveList = SkinObjectKind::kDriveList;
constexpr uint32_t kText = SkinObjectKind::kText;

TEST_F(EditorConfigurationFileTest, ReadsAFileWrittenTheWayPeopleWriteThem) {
  const std::string path = Write(
      "; editor configuration\r\n"
      "[containers]\r\n"
      "containerscount = 3\r\n"
      "Container1 =   MainWindow   \r\n"
      "CONTAINER2=\r\n"
      "Container3=\"PlaylistWindow\"\r\n"
      "\r\n"
      "[DefaultObjects]\r\n"
      "ObjectsCount=5\r\n"
      "Object1=Play\r\n"
      "Object2=Volume\r\n"
      "type2=SLIDER\r\n"
      "Object3=\" Song list \"\r\n"
      "Type3=ListBox\r\n"
      "Object4=Drives\r\n"
      "Type4=\tDriveList\t\r\n"
      "Object5=Time\r\n"
      "Type5=Animation\r\n");
  ASSERT_FALSE(path.empty());
  ProfileFile profile(path);
  EditorConfiguration configuration;
  ASSERT_TRUE(configuration.Read(profile));

  EXPECT_EQ(configuration.ContainerNames(),
            (std::vector<std::string>{"MainWindow", "PlaylistWindow"}));
  const std::vector<Entry> expected = {{"Play", kButton},
                                       {"Volume", kSlider},
                                       {"Song list", kListBox},
                                       {"Drives", kDriveList},
                                       {"Time", kText},
                                       {"container(MainWindow)", kButton},
                                       {"container(PlaylistWindow)", kButton}};
  EXPECT_TRUE(SameEntries(configuration.DefaultObjects(), expected))
      << Describe(configuration.DefaultObjects());
}

TEST_F(EditorConfigurationFileTest, LongTextsAreCutToTheBuffers) {
  const std::string name255(255, 'n');
  const std::string path = Write("[Containers]\r\nContainersCount=1\r\nContainer1=" + name255 +
                                 "tail\r\n"
                                 "[DefaultObjects]\r\nObjectsCount=3\r\n"
                                 "Object1=" +
                                 name255 +
                                 "\r\n"
                                 "Object2=" +
                                 name255 +
                                 "XYZ\r\n"
                                 "Object3=Volume\r\n"
                                 "Type3=Slider" +
                                 std::string(43, ' ') + "x\r\n");
  ASSERT_FALSE(path.empty());
  ProfileFile profile(path);
  EditorConfiguration configuration;
  ASSERT_TRUE(configuration.Read(profile));

  EXPECT_EQ(configuration.ContainerNames(), (std::vector<std::string>{name255}));
  const std::vector<Entry> expected = {{name255, kButton},
                                       {name255, kButton},
                                       {"Volume", kSlider},
                                       {"container(" + name255 + ")", kButton}};
  EXPECT_TRUE(SameEntries(configuration.DefaultObjects(), expected))
      << Describe(configuration.DefaultObjects());
}

TEST_F(EditorConfigurationFileTest, CountsBelowOneReadNothing) {
  const char* const counts[] = {"0", "-2", "none", ""};
  for (const char* count : counts) {
    SCOPED_TRACE(std::string("count \"") + count + "\"");
    const std::string path = Write(std::string("[Containers]\r\nContainersCount=") + count +
                                   "\r\nContainer1=MainWindow\r\n"
                                   "[DefaultObjects]\r\nObjectsCount=" +
                                   count + "\r\nObject1=Play\r\n");
    ASSERT_FALSE(path.empty());
    ProfileFile profile(path);
    EditorConfiguration configuration;
    EXPECT_FALSE(configuration.ReadContainerNames(profile));
    EXPECT_FALSE(configuration.ReadDefaultObjects(profile));
    EXPECT_TRUE(configuration.ContainerNames().empty());
    EXPECT_TRUE(configuration.DefaultObjects().empty());
  }
}

TEST_F(EditorConfigurationFileTest, MissingKeysAndFilesGiveTheDefaults) {
  // No count keys at all, and a missing Type key.
  const std::string noCounts = Write(
      "[Containers]\r\nContainer1=MainWindow\r\n"
      "[DefaultObjects]\r\nObject1=Play\r\n");
  const std::string noType = Write("[DefaultObjects]\r\nObjectsCount=1\r\nObject1=Stop\r\n");
  ASSERT_FALSE(noCounts.empty());
  ASSERT_FALSE(noType.empty());

  ProfileFile withoutCounts(noCounts);
  EditorConfiguration configuration;
  EXPECT_FALSE(configuration.ReadContainerNames(withoutCounts));
  EXPECT_FALSE(configuration.Read(withoutCounts));

  ProfileFile withoutType(noType);
  ASSERT_TRUE(configuration.Read(withoutType));
  EXPECT_TRUE(configuration.ContainerNames().empty()) << "no Containers section is no error";
  EXPECT_TRUE(SameEntries(configuration.DefaultObjects(), {{"Stop", kButton}}))
      << Describe(configuration.DefaultObjects());

  ProfileFile missing(MissingPath());
  EXPECT_FALSE(configuration.Read(missing));
  EXPECT_TRUE(configuration.DefaultObjects().empty());
  EXPECT_EQ(missing.GetInt("DefaultObjects", "ObjectsCount", 7), 7);
  EXPECT_EQ(missing.GetString("DefaultObjects", "Type1", "Button", 50), "Button");
  EXPECT_EQ(missing.GetString("DefaultObjects", "Type1", "Button", 4), "But");
}

TEST(ProfileFileTest, ConfigurationIsLookedForBesideTheProgram) {
  char module[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  ASSERT_GT(length, 0u);
  ASSERT_LT(length, static_cast<DWORD>(MAX_PATH));
  std::string folder(module, length);
  folder.erase(folder.rfind('\\') + 1);

  EXPECT_EQ(ProfileFile::EditorConfigurationPath(), folder + "QorvaEditor.INI");
}

TEST(SampleConfigurationTest, OffersTheMediaPlayerObjectsAndContainers) {
  const std::string path = std::string(QORVA_TEST_DATA_DIR) + "/../samples/QorvaEditor.INI";
  ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
  ProfileFile profile(path);
  EditorConfiguration configuration;
  ASSERT_TRUE(configuration.Read(profile));

  const std::vector<std::string> containers = {"MainWindow", "PlaylistWindow", "EqualizerWindow",
                                               "MiniPlayer"};
  EXPECT_EQ(configuration.ContainerNames(), containers);

  const std::vector<Entry> configured = {
      {"Play", kButton},      {"Pause", kButton},     {"Stop", kButton},     {"Prev", kButton},
      {"Next", kButton},      {"Open", kButton},      {"Close", kButton},    {"Minimize", kButton},
      {"Mute", kButton},      {"Volume", kSlider},    {"Position", kSlider}, {"Balance", kSlider},
      {"Playlist", kListBox}, {"Drives", kDriveList}, {"Title", kText},      {"Time", kText}};
  const std::vector<Entry>& objects = configuration.DefaultObjects();
  ASSERT_EQ(objects.size(), configured.size() + containers.size()) << Describe(objects);
  EXPECT_TRUE(SameEntries({objects.begin(), objects.begin() + configured.size()}, configured))
      << Describe(objects);
  for (size_t i = 0; i < containers.size(); ++i) {
    const Entry& button = objects[objects.size() - containers.size() + i];
    EXPECT_EQ(button.name, "container(" + containers[i] + ")");
    EXPECT_EQ(button.kind, kButton);
  }
}

}  // namespace
