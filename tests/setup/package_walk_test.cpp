#include "setup/package_walk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "setup/config_element.h"
#include "setup/variable_table.h"
#include "tests/setup/install_fixtures.h"

using config_element::AnsiAttribute;

namespace {

// Records each action as "<kind> <tag>" and, when the package is logged,
// "@<ID of the log entry>"; progress reports appear as "p=<fraction>".
class RecordingActions final : public PackageActions, public InstallProgress {
 public:
  void Delete(framework::XmlElement* e, const ActionLogs& l) override { Record("delete", e, l); }
  void RunProcess(framework::XmlElement* e, const ActionLogs& l) override { Record("run", e, l); }
  void File(framework::XmlElement* e, const ActionLogs& l) override {
    Record("file", e, l);
    model_directories.push_back(l.model_directory ? *l.model_directory : "<none>");
    if (AnsiAttribute(e, "tag") == "stop" && walk != nullptr) walk->RequestStop();
  }
  void Font(framework::XmlElement* e, const ActionLogs& l) override { Record("font", e, l); }
  void Link(framework::XmlElement* e, const ActionLogs& l) override { Record("link", e, l); }
  void RegEntry(framework::XmlElement* e, const ActionLogs& l) override { Record("reg", e, l); }
  void RegisterExtension(framework::XmlElement* e, const ActionLogs& l) override {
    Record("ext", e, l);
  }
  void Report(double fraction) override {
    char text[32];
    std::snprintf(text, sizeof text, "p=%.3f", fraction);
    events.push_back(text);
  }

  std::string Joined() const {
    std::string text;
    for (const std::string& event : events) text += (text.empty() ? "" : ",") + event;
    return text;
  }

  std::vector<std::string> events;
  std::vector<std::string> model_directories;
  PackageWalk* walk = nullptr;

 private:
  void Record(const char* kind, framework::XmlElement* element, const ActionLogs& logs) {
    std::string event = std::string(kind) + " " + AnsiAttribute(element, "tag");
    if (logs.package_log != nullptr) event += "@" + AnsiAttribute(logs.package_log, "ID");
    events.push_back(event);
  }
};

struct WalkCase {
  const char* name;
  const char* packages;  // children of InstallerConfig
  const char* selected;  // null: InstallAll; else the package ID
  std::vector<std::string> subpackages;
  const char* expected;
};

class PackageWalkTest : public ::testing::TestWithParam<WalkCase> {};

std::string Walk(const std::string& packages, const char* selected,
                 const std::vector<std::string>& subpackages, const std::wstring& logPath = L"",
                 VariableTable* table = nullptr, RecordingActions* actions = nullptr) {
  install_test::ArchiveFile archive(install_test::IndexEntry(packages));
  EXPECT_TRUE(archive.opened());
  install_test::IoweaveFactory factory;
  VariableTable variables;
  RecordingActions own;
  RecordingActions& recorder = actions != nullptr ? *actions : own;
  PackageWalk walk(archive.get(), factory, table != nullptr ? *table : variables, recorder,
                   logPath);
  recorder.walk = &walk;
  if (selected == nullptr) {
    walk.InstallAll(recorder);
  } else {
    walk.InstallSelected({selected, subpackages}, recorder);
  }
  recorder.walk = nullptr;
  return recorder.Joined();
}

TEST_P(PackageWalkTest, RunsTheActionsInTheirFixedOrder) {
  const WalkCase& c = GetParam();
  EXPECT_EQ(c.expected, Walk(c.packages, c.selected, c.subpackages)) << c.name;
}

const WalkCase kWalkCases[] = {
    {"batches in fixed order, includes first, subpackages last",
     "<package ID='P'><registerextension tag='e'/><regentry tag='r'/><link tag='l'/>"
     "<font tag='f'/><subpackage ID='s'><file dest='x' tag='s1'/></subpackage>"
     "<file dest='x' tag='a'/><runprocess tag='r1'/><delete tag='d'/><include package='Q'/>"
     "</package><package ID='Q' include_in_all='false'><delete tag='q'/></package>",
     "P",
     {"all"},
     "delete q,delete d,p=0.000,run r1,p=1.000,file a,p=1.000,font f,link l,reg r,ext e,"
     "file s1,p=1.000"},
    {"install-all skips include_in_all false but an include still installs it",
     "<package ID='A'><include package='B'/><delete tag='a'/></package>"
     "<package ID='B' include_in_all='false'><delete tag='b'/></package>"
     "<package ID='C'><delete tag='c'/></package>",
     nullptr,
     {},
     "delete b,delete a,delete c"},
    {"include by name when no ID matches; unknown includes are skipped",
     "<package ID='A'><include package='nothing'/><include package='Second'/>"
     "<delete tag='a'/></package><package ID='B' name='Second'><delete tag='b'/></package>",
     "A",
     {},
     "delete b,delete a"},
    {"an ID match wins over an earlier name match",
     "<package ID='X' name='B'><delete tag='x'/></package>"
     "<package ID='A'><include package='B'/></package><package ID='B'><delete tag='b'/></package>",
     "A",
     {},
     "delete b"},
    {"subpackages in list order: b then a, unknown skipped",
     "<package ID='P'><subpackage ID='a'><delete tag='a'/></subpackage>"
     "<subpackage ID='b'><delete tag='b'/></subpackage></package>",
     "P",
     {"b", "zz", "a"},
     "delete b,delete a"},
    {"ALL installs every subpackage in document order",
     "<package ID='P'><subpackage ID='a'><delete tag='a'/></subpackage>"
     "<subpackage ID='b'><delete tag='b'/></subpackage></package>",
     "P",
     {"ALL"},
     "delete a,delete b"},
    {"no subpackage IDs installs none",
     "<package ID='P'><delete tag='p'/><subpackage ID='a'><delete tag='a'/></subpackage>"
     "</package>",
     "P",
     {},
     "delete p"},
    {"subpackages of subpackages and of included packages are never installed",
     "<package ID='P'><include package='Q'/><subpackage ID='a'><delete tag='a'/>"
     "<subpackage ID='aa'><delete tag='aa'/></subpackage></subpackage></package>"
     "<package ID='Q'><subpackage ID='q'><delete tag='q'/></subpackage></package>",
     "P",
     {"all"},
     "delete a"},
    {"install-all gives every package all of its subpackages",
     "<package ID='P'><subpackage ID='a'><delete tag='a'/></subpackage></package>",
     nullptr,
     {},
     "delete a"},
    {"element names and the selected ID match ignoring case",
     "<Package ID='P'><DELETE tag='d'/><File dest='x' tag='f'/></Package>",
     "p",
     {},
     "delete d,file f,p=1.000"},
    {"an unknown selected package installs nothing",
     "<package ID='P'><delete tag='d'/></package>",
     "Q",
     {},
     ""},
    {"an include cycle ends: a package is not walked again inside itself",
     "<package ID='A'><include package='B'/><delete tag='a'/></package>"
     "<package ID='B'><include package='A'/><include package='B'/><delete tag='b'/></package>",
     "A",
     {},
     "delete b,delete a"},
    {"the same package included twice is walked twice",
     "<package ID='A'><include package='B'/><include package='B'/></package>"
     "<package ID='B'><delete tag='b'/></package>",
     "A",
     {},
     "delete b,delete b"},
    {"runprocess reports 0 first, then after each program",
     "<package ID='P'><runprocess tag='1'/><runprocess tag='2'/></package>",
     "P",
     {},
     "p=0.000,run 1,p=0.500,run 2,p=1.000"},
    {"a file without dest is skipped but counts in the fraction",
     "<package ID='P'><file dest='x' tag='1'/><file tag='2'/><file dest='' tag='3'/>"
     "<file dest='$(missing)' tag='4'/></package>",
     "P",
     {},
     "file 1,p=0.250,file 4,p=1.000"},
    {"each batch of each package counts on its own",
     "<package ID='P'><include package='Q'/><file dest='x' tag='p1'/><file dest='x' tag='p2'/>"
     "</package><package ID='Q'><file dest='x' tag='q'/></package>",
     "P",
     {},
     "file q,p=1.000,file p1,p=0.500,file p2,p=1.000"},
};

INSTANTIATE_TEST_SUITE_P(Walks, PackageWalkTest, ::testing::ValuesIn(kWalkCases));

TEST(PackageWalkConfiguration, UnusableConfigurationsInstallNothing) {
  const std::vector<std::vector<payload_test::ZipEntry>> archives = {
      {{"other", "x"}},
      {{"index", ""}},
      {{"index", "<InstallerConfig><package ID='P'><delete tag='d'/>"}},
      {{"index", "<Config><package ID='P'><delete tag='d'/></package></Config>"}},
  };
  for (const auto& entries : archives) {
    install_test::ArchiveFile archive(entries);
    ASSERT_TRUE(archive.opened());
    install_test::IoweaveFactory factory;
    VariableTable variables;
    RecordingActions actions;
    PackageWalk walk(archive.get(), factory, variables, actions, L"");
    walk.InstallAll(actions);
    walk.InstallSelected({"P", {}}, actions);
    EXPECT_EQ("", actions.Joined()) << entries.front().name;
  }
}

TEST(PackageWalkModelDirectory, PrivatePackagesGetTheirOwnDirectory) {
  VariableTable variables;
  variables.SetVariable("instdir", "C:\\Apps\\X");
  RecordingActions actions;
  Walk(
      "<package ID='A' oxu_model='private' oxu_dir='$(instdir)/models'><file dest='a'/></package>"
      "<package ID='B' oxu_model='PRIVATE' oxu_dir='$(nothere)'><file dest='b'/></package>"
      "<package ID='C' oxu_model='private'><file dest='c'/></package>"
      "<package ID='D' oxu_model='shared' oxu_dir='D:\\m'><file dest='d'/></package>"
      "<package ID='E'><include package='A'/><file dest='e'/></package>",
      nullptr, {}, L"", &variables, &actions);
  const std::vector<std::string> expected = {
      "C:\\Apps\\X\\models", "C:\\Apps\\X", "C:\\Apps\\X", "", "", ""};
  EXPECT_EQ(expected, actions.model_directories);
}

class PackageWalkLogTest : public ::testing::Test {
 protected:
  std::wstring LogPath() const {
    const std::string path = folder_.File("TervixUninstall.xml");
    return std::wstring(path.begin(), path.end());
  }
  std::string LogText() const {
    const payload_test::Bytes bytes = payload_test::ReadAll(folder_.File("TervixUninstall.xml"));
    return std::string(bytes.begin(), bytes.end());
  }
  payload_test::TempFolder folder_;
};

TEST_F(PackageWalkLogTest, IncludesAndSubpackagesLogIntoTheTopLevelEntry) {
  const std::string packages =
      "<package ID='A' friendly_name='Alpha'><include package='B'/><file dest='x' tag='a'/>"
      "<subpackage ID='s'><delete tag='s'/></subpackage></package>"
      "<package ID='B' name='Beta'><delete tag='b'/></package>";
  EXPECT_EQ("delete b@A,file a@A,p=1.000,delete s@A,delete b@B",
            Walk(packages, nullptr, {}, LogPath()));
  const std::string log = LogText();
  EXPECT_NE(std::string::npos, log.find("name=\"Alpha\" ID=\"A\"")) << log;
  EXPECT_NE(std::string::npos, log.find("name=\"Beta\" ID=\"B\"")) << log;
  EXPECT_NE(std::string::npos, log.find("<files")) << log;
}

TEST_F(PackageWalkLogTest, AWalkCutShortDoesNotSaveItsPackage) {
  Walk("<package ID='A'><delete tag='a'/></package>", "A", {}, LogPath());
  const std::string before = LogText();
  EXPECT_EQ("file stop@B,p=0.500",
            Walk("<package ID='B'><file dest='x' tag='stop'/><file dest='y' tag='2'/>"
                 "<regentry tag='never'/></package>",
                 "B", {}, LogPath()));
  EXPECT_EQ(before, LogText());
  EXPECT_EQ(std::string::npos, LogText().find("ID=\"B\""));
}

}  // namespace
