#include "setup/path_variables.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "setup/variable_table.h"

namespace {

// Sources that answer from maps; a missing key is a failing source.
class MapSources : public PathSources {
 public:
  bool ShellFolder(int folderId, std::string* path) override {
    return Answer(shell, folderId, path);
  }
  bool ShellFoldersValue(const char* name, bool stringOnly, std::string* value) override {
    asked_string_only[name] = stringOnly;
    return Answer(shell_folders_key, std::string(name), value);
  }
  bool ProgramFilesValue(std::string* value) override { return Answer(program_files, 0, value); }
  bool WindowsDirectory(std::string* path) override { return Answer(windows, 0, path); }
  bool EarlierInstallDirectory(std::string* path) override { return Answer(earlier, 0, path); }

  std::map<int, std::string> shell;
  std::map<std::string, std::string> shell_folders_key;
  std::map<int, std::string> program_files;
  std::map<int, std::string> windows;
  std::map<int, std::string> earlier;
  std::map<std::string, bool> asked_string_only;

 private:
  template <typename Key>
  static bool Answer(const std::map<Key, std::string>& answers, const Key& key, std::string* out) {
    auto found = answers.find(key);
    if (found == answers.end()) return false;
    *out = found->second;
    return true;
  }
};

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(FillPathVariables, SetsTheShellFoldersInTheirFixedOrder) {
  MapSources sources;
  sources.shell = {{16, "D"}, {36, "W"}, {11, "S"}, {20, "F"}, {38, "P"}, {26, "A"}};
  sources.shell_folders_key = {{"Desktop", "wrong"}};
  VariableTable variables;
  FillPathVariables(sources, variables);
  EXPECT_EQ((Pairs{{"desktopdir", "D"},
                   {"windowsdir", "W"},
                   {"startmenudir", "S"},
                   {"fontsdir", "F"},
                   {"programfilesdir", "P"},
                   {"instdir", "P\\Corvana2"},
                   {"appdatadir", "A"}}),
            variables.pairs());
}

TEST(FillPathVariables, FallsBackToTheRegistryAndTheWindowsDirectoryCall) {
  MapSources sources;
  sources.shell_folders_key = {
      {"Desktop", "rD"}, {"Start Menu", "rS"}, {"Fonts", "rF"}, {"AppData", "rA"}};
  sources.program_files = {{0, "rP"}};
  sources.windows = {{0, "rW"}};
  VariableTable variables;
  FillPathVariables(sources, variables);
  EXPECT_EQ((Pairs{{"desktopdir", "rD"},
                   {"windowsdir", "rW"},
                   {"startmenudir", "rS"},
                   {"fontsdir", "rF"},
                   {"programfilesdir", "rP"},
                   {"instdir", "rP\\Corvana2"},
                   {"appdatadir", "rA"}}),
            variables.pairs());
  // Only the desktop and application data values must be of string type.
  EXPECT_EQ((std::map<std::string, bool>{
                {"AppData", true}, {"Desktop", true}, {"Fonts", false}, {"Start Menu", false}}),
            sources.asked_string_only);
}

TEST(FillPathVariables, UnavailableFoldersStayUnsetAndInstdirStillHasItsSuffix) {
  MapSources sources;
  VariableTable variables;
  FillPathVariables(sources, variables);
  EXPECT_EQ((Pairs{{"instdir", "\\Corvana2"}}), variables.pairs());
  std::string out;
  EXPECT_FALSE(variables.ExpandVariables("$(desktopdir)\\x", &out));
}

TEST(FillPathVariables, AnEarlierInstallationDecidesInstdir) {
  MapSources sources;
  sources.shell = {{38, "C:\\Program Files"}};
  sources.earlier = {{0, "C:\\Apps\\Corvana2"}};
  VariableTable variables;
  FillPathVariables(sources, variables);
  ASSERT_NE(nullptr, variables.Find("instdir"));
  EXPECT_EQ("C:\\Apps\\Corvana2", *variables.Find("instdir"));
}

}  // namespace
