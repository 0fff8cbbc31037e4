#include "setup/install_actions.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "setup/install_system.h"
#include "setup/package_walk.h"
#include "setup/variable_table.h"
#include "tests/setup/install_fixtures.h"

namespace {

// Records what the actions ask of the machine; answers as told.
class RecordingSystem final : public InstallSystem {
 public:
  bool RemoveFile(const std::string& path) override {
    calls.push_back("delete " + path);
    return true;
  }
  bool RunArchivedProgram(const std::string& application, const std::string& options,
                          bool wait) override {
    calls.push_back("run " + application + "|" + options + (wait ? "|wait" : ""));
    return programs_start;
  }
  bool RegisterLibrary(const std::string& path, const std::string& model, int kind) override {
    calls.push_back("register " + path + "|" + model + "|" + std::to_string(kind));
    return registrations_succeed;
  }
  bool AddFont(const std::string& path) override {
    calls.push_back("font " + path);
    return true;
  }
  bool CreateShortcut(const std::string& target, const std::string& link,
                      const std::string& description, const std::string& folder) override {
    calls.push_back("shortcut " + target + "|" + link + "|" + description + "|" + folder);
    return true;
  }
  int32_t WriteRegistryEntry(RegistryWriteRequest& request) override {
    calls.push_back("reg " + request.root + "|" + request.key_path + "|" +
                    (request.has_value_name ? request.value_name : "<default>") + "|" +
                    (request.has_data ? request.text : "<none>") +
                    (request.files_log != nullptr ? "|shared" : ""));
    request.message = "why";
    return registry_result;
  }
  bool RegisterFileType(FileTypeRequest& request) override {
    calls.push_back("type " + request.extension + "|" + request.type_name + "|" + request.command +
                    "|" + request.description + "|" + (request.has_icon ? request.icon : "<none>") +
                    "|" + request.verb + "|" +
                    (request.has_dde ? request.dde_format + "/" + request.dde_application : "-"));
    request.message = "because";
    return false;
  }
  void ShowMessage(const std::string& text, const char* caption) override {
    calls.push_back(std::string("message ") + caption + ":" + text);
  }

  std::vector<std::string> calls;
  bool programs_start = true;
  bool registrations_succeed = true;
  int32_t registry_result = 0;
};

class Progress final : public InstallProgress {
 public:
  void Report(double fraction) override { fractions.push_back(fraction); }
  std::vector<double> fractions;
};

class InstallActionsTest : public ::testing::Test {
 protected:
  InstallActionsTest() { variables_.SetVariable("instdir", folder_.InstallerPath() + "\\app"); }

  // Installs the selected package of `packages` with the archive's files.
  void Install(const std::string& packages, const char* package,
               std::vector<std::string> subpackages = {}) {
    std::vector<payload_test::ZipEntry> entries = install_test::IndexEntry(packages);
    entries.push_back({"files/a.dll", "AAAA"});
    entries.push_back({"files/b.dll", "BB"});
    entries.push_back({"fonts/f.ttf", "FONT"});
    install_test::ArchiveFile archive(entries);
    ASSERT_TRUE(archive.opened());
    install_test::IoweaveFactory factory;
    InstallActions actions(archive.get(), variables_, system_);
    PackageWalk walk(archive.get(), factory, variables_, actions, LogPath());
    walk.InstallSelected({package, subpackages}, progress_);
  }

  std::wstring LogPath() const {
    const std::string path = folder_.File("TervixUninstall.xml");
    return std::wstring(path.begin(), path.end());
  }
  // Number of log nodes an XPath query selects.
  size_t Count(const std::string& query) const {
    pugi::xml_document log;
    log.load_file(folder_.File("TervixUninstall.xml").c_str());
    return log.select_nodes(query.c_str()).size();
  }
  std::string Attribute(const std::string& query, const char* name) const {
    pugi::xml_document log;
    log.load_file(folder_.File("TervixUninstall.xml").c_str());
    return log.select_node(query.c_str()).node().attribute(name).value();
  }
  std::string App(const std::string& file) const {
    return folder_.InstallerPath() + "\\app\\" + file;
  }
  bool Installed(const std::string& file, const std::string& content) const {
    return payload_test::ReadAll((folder_.path() / "app" / file).string()) ==
           payload_test::Bytes(content.begin(), content.end());
  }

  payload_test::TempFolder folder_;
  VariableTable variables_;
  RecordingSystem system_;
  Progress progress_;
};

const char kSharedPackages[] =
    "<package ID='A'><file dest='$(instdir)/a.dll' source='files/a.dll' shared='true'/></package>"
    "<package ID='B'><file dest='$(INSTDIR)/A.DLL' source='files/a.dll' shared='true'/></package>";

TEST_F(InstallActionsTest, FilesAreExtractedAndLoggedWithTheirFolder) {
  Install(
      "<package ID='P'><file dest='$(instdir)/a.dll' source='files/a.dll'/>"
      "<file dest='$(missing)/b.dll' source='files/b.dll'/></package>",
      "P");
  EXPECT_TRUE(Installed("a.dll", "AAAA"));
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / "app" / "b.dll"));
  EXPECT_EQ(1u, Count("//package[@ID='P']/file"));
  EXPECT_EQ(App("a.dll"), Attribute("//package[@ID='P']/file", "path"));
  EXPECT_EQ(folder_.InstallerPath() + "\\app", Attribute("//package[@ID='P']/dir", "path"));
  // The file that did not expand still counts in the batch.
  EXPECT_EQ((std::vector<double>{0.5, 1.0}), progress_.fractions);
}

TEST_F(InstallActionsTest, ASharedFileIsCountedOncePerPackage) {
  struct Case {
    std::vector<const char*> runs;
    const char* ref_count;
    size_t package_entries;
  };
  const Case cases[] = {
      {{"A"}, "1", 1},
      {{"A", "B"}, "2", 2},
      {{"A", "A"}, "1", 1},
      {{"A", "B", "A", "B"}, "2", 2},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(folder_.File("TervixUninstall.xml"));
    for (const char* package : c.runs) Install(kSharedPackages, package);
    EXPECT_EQ(1u, Count("/UninstallLog/files/file")) << c.runs.size();
    EXPECT_EQ(c.ref_count, Attribute("/UninstallLog/files/file", "RefCount")) << c.runs.size();
    EXPECT_EQ(c.package_entries, Count("//package/file")) << c.runs.size();
  }
}

TEST_F(InstallActionsTest, OnlyNewlyLoggedFilesAreCountedAndMarkedRegistered) {
  Install(
      "<package ID='P'><file dest='$(instdir)/a.dll' source='files/a.dll' shared='1' "
      "oxureg='1'/></package>",
      "P");
  system_.calls.clear();
  Install(
      "<package ID='P' oxu_model='private' oxu_dir='$(instdir)/m'>"
      "<file dest='$(instdir)/a.dll' source='files/a.dll' shared='1' oxureg='1'/>"
      "<file dest='$(instdir)/b.dll' source='files/b.dll' shared='1' oxureg='1'/></package>",
      "P");
  EXPECT_EQ((std::vector<std::string>{"register " + App("a.dll") + "|" + App("m") + "|2",
                                      "register " + App("b.dll") + "|" + App("m") + "|2"}),
            system_.calls);
  EXPECT_EQ("1", Attribute("/UninstallLog/files/file[@path='" + App("a.dll") + "']", "RefCount"));
  EXPECT_EQ("1", Attribute("/UninstallLog/files/file[@path='" + App("b.dll") + "']", "RefCount"));
  EXPECT_EQ(2u, Count("//package/file[@OxuRegister='true']"));
}

TEST_F(InstallActionsTest, AFailedRegistrationLeavesTheFileUnmarked) {
  system_.registrations_succeed = false;
  Install(
      "<package ID='P'><file dest='$(instdir)/a.dll' source='files/a.dll' oxureg='1'/>"
      "</package>",
      "P");
  EXPECT_EQ(1u, Count("//package/file"));
  EXPECT_EQ(0u, Count("//package/file[@OxuRegister]"));
}

TEST_F(InstallActionsTest, ProgramsDeletionsFontsAndShortcutsAskTheSystem) {
  system_.programs_start = false;
  Install(
      "<package ID='P'>"
      "<delete dest='$(instdir)/old.txt'/><delete dest='$(nothere)/x'/>"
      "<runprocess application='tool.exe' options=' /q $(instdir)' wait='true' "
      "error='Tool failed'/><runprocess application='$(nothere)' error='never'/>"
      "<runprocess application='quiet.exe'/>"
      "<font dest='$(instdir)/f.ttf' source='fonts/f.ttf' description='Face'/>"
      "<font dest='$(instdir)/g.ttf' source='fonts/f.ttf'/>"
      "<link target='$(instdir)/a.exe' path='$(instdir)/menu/A.lnk' description='A' "
      "workingdir='$(nothere)'/></package>",
      "P");
  const std::vector<std::string> expected = {
      "delete " + App("old.txt"),
      "run tool.exe| /q $(instdir)|wait",
      "message Error:Tool failed",
      "run quiet.exe|",
      "message Error:",
      "font " + App("f.ttf"),
      "shortcut " + App("a.exe") + "|" + App("menu\\A.lnk") + "|A|",
  };
  EXPECT_EQ(expected, system_.calls);
  EXPECT_TRUE(Installed("f.ttf", "FONT"));
  EXPECT_EQ("1", Attribute("/UninstallLog/files/file[@path='" + App("f.ttf") + "']", "RefCount"));
  EXPECT_EQ(2u, Count("//package/file"));  // the font and the shortcut
  EXPECT_EQ(1u, Count("//package/dir[@path='" + App("menu") + "']"));
  EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "app" / "menu"));
  EXPECT_EQ((std::vector<double>{0.0, 1.0 / 3, 2.0 / 3, 1.0}), progress_.fractions);
}

TEST_F(InstallActionsTest, RegistryAndFileTypeRequestsAreBuiltFromTheElements) {
  system_.registry_result = 5;
  Install(
      "<package ID='P'>"
      "<regentry root='HKCU' dest='Software\\Q' key='Path' value='$(instdir)' shared='1'/>"
      "<regentry root='HKLM' dest='Software\\Q'/>"
      "<regentry root='HKLM' dest='Software\\Q' key='Gone' value='$(nothere)'/>"
      "<registerextension ext='.qsk' type='Qorva.Skin' command='$(instdir)/e.exe %1' "
      "description='Skin' icon='$(instdir)/e.exe,0'><ddeexec format='[open]' "
      "application='QorvaEditor'/></registerextension>"
      "<registerextension ext='.q2' type='Q2' command='c' action='Edit'/></package>",
      "P");
  const std::vector<std::string> expected = {
      "reg HKCU|Software\\Q|Path|" + App("").substr(0, App("").size() - 1) + "|shared",
      "message Error:Failed to set registry key!\nwhy",
      "reg HKLM|Software\\Q|<default>|<none>",
      "message Error:Failed to set registry key!\nwhy",
      "reg HKLM|Software\\Q|Gone|<none>",
      "message Error:Failed to set registry key!\nwhy",
      "type .qsk|Qorva.Skin|" + App("e.exe") + " %1|Skin|" + App("e.exe") +
          ",0||[open]/QorvaEditor",
      "message Error:Failed to register extension handler!\nbecause",
      "type .q2|Q2|c||<none>|Edit|-",
      "message Error:Failed to register extension handler!\nbecause",
  };
  EXPECT_EQ(expected, system_.calls);
}

}  // namespace
