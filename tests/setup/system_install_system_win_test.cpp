#include "setup/system_install_system_win.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "setup/message_sink.h"
#include "setup/variable_table.h"
#include "tests/setup/install_fixtures.h"
#include "tests/setup/win_test_paths.h"

namespace {

class NoMessages final : public MessageSink {
 public:
  void ShowMessage(const char*, const char*) override { ++shown; }
  void ShowWideMessage(const wchar_t*, const wchar_t*) override { ++shown; }
  int shown = 0;
};

class SystemInstallSystemTest : public ::testing::Test {
 protected:
  SystemInstallSystemTest()
      : archive_({{"tool.exe",
                   [] {
                     const payload_test::Bytes bytes =
                         payload_test::ReadAll(TestProgramFolder() + "\\install_test_program.exe");
                     return std::string(bytes.begin(), bytes.end());
                   }()}}),
        system_(archive_.get(), variables_, folder_.InstallerPath(), nullptr, messages_) {}

  std::string Marker() const { return folder_.InstallerPath() + "\\marker.txt"; }
  std::string MarkerText() const {
    const payload_test::Bytes bytes = payload_test::ReadAll(Marker());
    return std::string(bytes.begin(), bytes.end());
  }

  payload_test::TempFolder folder_;
  install_test::ArchiveFile archive_;
  VariableTable variables_;
  NoMessages messages_;
  SystemInstallSystem system_;
};

TEST_F(SystemInstallSystemTest, RunsTheArchivedProgramWithItsOptions) {
  ASSERT_TRUE(archive_.opened());
  EXPECT_TRUE(system_.RunArchivedProgram("tool.exe", " \"" + Marker() + "\" 0 one two", true));
  EXPECT_EQ("one\ntwo\n", MarkerText());
  EXPECT_TRUE(PathExists(folder_.InstallerPath() + "\\tool.exe"));
  EXPECT_FALSE(system_.RunArchivedProgram("missing.exe", "", true));
}

TEST_F(SystemInstallSystemTest, AProgramPastTheTimeLimitIsEndedAndFails) {
  ASSERT_TRUE(archive_.opened());
  system_.SetWaitLimits({50, 200});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(system_.RunArchivedProgram("tool.exe", " \"" + Marker() + "\" 20000 late", true));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  Sleep(200);
  EXPECT_FALSE(PathExists(Marker()));
  // Without waiting, the start alone counts; the program still runs.
  EXPECT_TRUE(system_.RunArchivedProgram("tool.exe", " \"" + Marker() + "\" 0 early", false));
  const std::string program = folder_.InstallerPath() + "\\tool.exe";
  // Until the program has ended its file cannot go, nor can the folder.
  for (int i = 0; i < 100 && !DeleteFileA(program.c_str()); ++i) Sleep(50);
  EXPECT_EQ("early\n", MarkerText());
}

TEST_F(SystemInstallSystemTest, WritesAShortcutThroughTheShellLinkObject) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::string link = folder_.InstallerPath() + "\\Tool.lnk";
  EXPECT_TRUE(system_.CreateShortcut("C:\\windows\\notepad.exe", link, "Notes", ""));
  EXPECT_TRUE(PathExists(link));
  EXPECT_FALSE(system_.CreateShortcut(
      "C:\\windows\\notepad.exe", folder_.InstallerPath() + "\\no\\such\\folder\\T.lnk", "", ""));
  CoUninitialize();
}

}  // namespace
