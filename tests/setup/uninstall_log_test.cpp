#include "setup/uninstall_log.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <string>

#include "setup/earlier_installation.h"
#include "tests/setup/payload_fixtures.h"
#include "tests/setup/xml_document_double.h"

using payload_test::Bytes;
using payload_test::XmlFactoryDouble;
using payload_test::XmlNodeDouble;

namespace {

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A package element of the installer configuration, as the walk hands it over.
class PackageElement {
 public:
  PackageElement(const char* id, const char* name, const char* friendly_name = nullptr) {
    pugi::xml_node node = document_.append_child("package");
    node.append_attribute("ID") = id;
    node.append_attribute("name") = name;
    if (friendly_name) node.append_attribute("friendly_name") = friendly_name;
    element_ = new XmlNodeDouble(node);
    element_->AddRef();
  }
  ~PackageElement() { element_->Release(); }
  framework::XmlElement* get() const { return element_; }

 private:
  pugi::xml_document document_;
  XmlNodeDouble* element_;
};

class UninstallLogTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(0, payload_test::LiveXmlObjects().load()); }

  std::string LogFile() const { return folder_.File("TervixUninstall.xml"); }
  std::wstring LogPath() const { return Wide(LogFile()); }
  bool LogExists() const { return std::filesystem::exists(LogFile()); }
  bool SavingFileExists() const { return std::filesystem::exists(LogFile() + ".saving"); }

  // Installs `package` into the log: opens it, records one file, saves.
  bool Install(const PackageElement& package, const wchar_t* file,
               UninstallLog::WriteFault* fault = nullptr) {
    UninstallLog log(factory_, LogPath());
    log.SetWriteFault(fault);
    if (!log.OpenLog(package.get())) return false;
    framework::XmlElement* entry = nullptr;
    if (framework::Failed(log.package_log()->AppendChild("file", &entry))) return false;
    entry->SetAttribute("path", file);
    entry->Release();
    return log.SaveLog();
  }

  pugi::xml_document ParsedLog() const {
    pugi::xml_document document;
    document.load_file(LogFile().c_str());
    return document;
  }

  payload_test::TempFolder folder_;
  XmlFactoryDouble factory_;
};

TEST_F(UninstallLogTest, MissingLogIsCreatedAndHoldsTheWholeStructureAfterTheFirstPackage) {
  PackageElement package("corvana", "corvana2", "Corvana 2");
  ASSERT_TRUE(Install(package, L"C:\\Apps\\Corvana2\\CORVANA2.EXE"));
  pugi::xml_document document = ParsedLog();
  pugi::xml_node log = document.child("UninstallLog");
  ASSERT_TRUE(log);
  pugi::xml_node entry = log.child("packages").child("package");
  EXPECT_STREQ("Corvana 2", entry.attribute("name").value());
  EXPECT_STREQ("corvana", entry.attribute("ID").value());
  EXPECT_STREQ("name", entry.first_attribute().name()) << "name is set before ID";
  EXPECT_STREQ("C:\\Apps\\Corvana2\\CORVANA2.EXE", entry.child("file").attribute("path").value());
  EXPECT_TRUE(log.child("files"));
  EXPECT_FALSE(SavingFileExists());
}

TEST_F(UninstallLogTest, FindsItsOwnPackageAgainAndTheElementsWhateverTheirCase) {
  const std::string earlier =
      "<uninstalllog><PACKAGES><Package name=\"Other\" ID=\"other\"/>"
      "<PACKAGE name=\"Tools\" ID=\"tools\"><file path=\"C:\\t\\a.exe\"/></PACKAGE>"
      "</PACKAGES><Files/></uninstalllog>";
  payload_test::WriteAll(LogFile(), Bytes(earlier.begin(), earlier.end()));
  PackageElement tools("tools", "Tools");
  ASSERT_TRUE(Install(tools, L"C:\\t\\b.exe"));
  // IDs are looked up ignoring case too; a new package with an empty
  // friendly name is named by its name.
  PackageElement same_ignoring_case("TOOLS", "Tools again");
  ASSERT_TRUE(Install(same_ignoring_case, L"C:\\t\\c.exe"));
  PackageElement fresh("fresh", "fresh-name", "");
  ASSERT_TRUE(Install(fresh, L"C:\\f\\d.exe"));

  pugi::xml_document document = ParsedLog();
  pugi::xml_node log = document.first_child();
  EXPECT_STREQ("uninstalllog", log.name());
  EXPECT_EQ(nullptr, log.next_sibling()) << "no second UninstallLog";
  pugi::xml_node packages = log.child("PACKAGES");
  EXPECT_EQ(nullptr, packages.next_sibling("packages"));
  EXPECT_FALSE(log.child("files")) << "the existing Files element is used";
  std::vector<std::string> ids;
  for (pugi::xml_node entry : packages.children()) ids.push_back(entry.attribute("ID").value());
  EXPECT_EQ((std::vector<std::string>{"other", "tools", "fresh"}), ids);
  pugi::xml_node tools_entry = packages.find_child_by_attribute("ID", "tools");
  EXPECT_EQ(
      3, std::distance(tools_entry.children("file").begin(), tools_entry.children("file").end()));
  EXPECT_STREQ("Tools", tools_entry.attribute("name").value());
  EXPECT_STREQ("fresh-name",
               packages.find_child_by_attribute("ID", "fresh").attribute("name").value());
}

TEST_F(UninstallLogTest, LogThatDoesNotParseOrNoDocumentDisablesLoggingAndIsLeftAlone) {
  const std::string broken = "<UninstallLog><packages>";
  payload_test::WriteAll(LogFile(), Bytes(broken.begin(), broken.end()));
  PackageElement package("a", "A");
  UninstallLog log(factory_, LogPath());
  EXPECT_FALSE(log.OpenLog(package.get()));
  EXPECT_EQ(nullptr, log.package_log());
  EXPECT_EQ(nullptr, log.files_log());
  EXPECT_FALSE(log.SaveLog());
  EXPECT_EQ(broken, Text(payload_test::ReadAll(LogFile())));

  factory_.works = false;
  std::filesystem::remove(LogFile());
  EXPECT_FALSE(log.OpenLog(package.get()));
  EXPECT_FALSE(LogExists());
}

// Counts the writes of a save and, from `fail_at` on, makes them fail, as a
// process ended at that write would leave the file.
class CutAt : public UninstallLog::WriteFault {
 public:
  explicit CutAt(int fail_at) : fail_at_(fail_at) {}
  bool FailsWrite(int index) override {
    writes = index + 1;
    return index >= fail_at_;
  }
  int writes = 0;

 private:
  int fail_at_;
};

TEST_F(UninstallLogTest, SaveCutShortAtAnyWriteLeavesThePreviousLogWhole) {
  PackageElement first("first", "First");
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(Install(first, Wide("C:\\First\\file" + std::to_string(i) + ".dll").c_str()));
  }
  const Bytes previous = payload_test::ReadAll(LogFile());

  PackageElement second("second", "Second");
  CutAt counter(1 << 30);
  ASSERT_TRUE(Install(second, L"C:\\Second\\a.dll", &counter));
  const Bytes complete = payload_test::ReadAll(LogFile());
  ASSERT_GT(counter.writes, 10) << "the document is written in many pieces";
  payload_test::WriteAll(LogFile(), previous);

  for (int cut = 0; cut < counter.writes; ++cut) {
    CutAt fault(cut);
    EXPECT_FALSE(Install(second, L"C:\\Second\\a.dll", &fault)) << cut;
    EXPECT_EQ(previous, payload_test::ReadAll(LogFile())) << "cut at write " << cut;
    EXPECT_FALSE(SavingFileExists()) << cut;
  }
  ASSERT_TRUE(Install(second, L"C:\\Second\\a.dll"));
  EXPECT_EQ(complete, payload_test::ReadAll(LogFile()));
}

// What a process ended during a save leaves: the file beside the log, half
// written. The log itself is what the next run reads, and the next save
// replaces the leftover.
TEST_F(UninstallLogTest, LeftoverOfAnEndedSaveIsNeitherReadNorInTheWay) {
  PackageElement first("first", "First");
  ASSERT_TRUE(Install(first, L"C:\\First\\a.dll"));
  const std::string half = "<UninstallLog><packages><package ID=\"ha";
  payload_test::WriteAll(LogFile() + ".saving", Bytes(half.begin(), half.end()));
  PackageElement second("second", "Second");
  ASSERT_TRUE(Install(second, L"C:\\Second\\b.dll"));
  const pugi::xml_document document = ParsedLog();
  pugi::xml_node packages = document.child("UninstallLog").child("packages");
  EXPECT_TRUE(packages.find_child_by_attribute("ID", "first"));
  EXPECT_TRUE(packages.find_child_by_attribute("ID", "second"));
  EXPECT_FALSE(SavingFileExists());
}

TEST_F(UninstallLogTest, EarlierInstallationIsFoundInTheLogFile) {
  const std::string text =
      "<?xml version=\"1.0\"?><UninstallLog><packages>"
      "<package name=\"Corvana\" ID=\"c2\"><dir path=\"C:\\Apps\\Corvana2\"/>"
      "<file path=\"C:\\Apps\\Corvana2\\CORVANA2.EXE\"/></package>"
      "<package name=\"Later\" ID=\"l\"><file path=\"D:\\Later\\corvana2.exe\"/></package>"
      "</packages><files/></UninstallLog>";
  payload_test::WriteAll(LogFile(), Bytes(text.begin(), text.end()));
  std::wstring folder;
  ASSERT_TRUE(FindEarlierInstallDirectoryInLog(factory_, LogPath(), &folder));
  EXPECT_EQ(L"C:\\Apps\\Corvana2", folder);

  const std::string broken = "<UninstallLog><packages><package><file path=\"C:\\x\\corvana2.exe\"";
  payload_test::WriteAll(LogFile(), Bytes(broken.begin(), broken.end()));
  EXPECT_FALSE(FindEarlierInstallDirectoryInLog(factory_, LogPath(), &folder));
  std::filesystem::remove(LogFile());
  EXPECT_FALSE(FindEarlierInstallDirectoryInLog(factory_, LogPath(), &folder));
}

}  // namespace
