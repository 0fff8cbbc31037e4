#include "setup/setup_flow.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "setup/path_variables.h"
#include "setup/system_path_sources_win.h"
#include "setup/system_setup_host_win.h"
#include "setup/temporary_environment.h"
#include "setup/variable_table.h"
#include "tests/setup/fake_framework.h"
#include "tests/setup/memory_archive.h"
#include "tests/setup/win_test_paths.h"

namespace {

// The real host with its payload replaced by an archive in memory.
class InMemoryPayloadHost : public SystemSetupHost {
 public:
  InMemoryPayloadHost(MessageSink& messages, framework::Archive* archive)
      : SystemSetupHost(messages), archive_(archive) {}
  bool OpenPayload() override { return true; }
  void ClosePayload() override { closed = true; }
  framework::Archive* PayloadArchive() override { return archive_; }
  bool closed = false;

 private:
  framework::Archive* archive_;
};

std::vector<std::string> Texts(const RecordingSink& sink) {
  std::vector<std::string> texts;
  for (const ShownMessage& message : sink.shown) texts.push_back(message.text);
  return texts;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(SetupFlowOnWindows, ProgramWithoutPayloadShowsTheCorruptDataBoxAndExitsWithZero) {
  // The test program itself carries no payload.
  RecordingSink sink;
  SystemSetupHost host(sink);
  EXPECT_EQ(0, SetupFlow(host, sink).Run());
  ASSERT_EQ(1u, sink.shown.size());
  EXPECT_EQ("The install data is corrupt!,\nPlease download the installer again!",
            sink.shown[0].text);
  EXPECT_EQ("Fatal Error...", sink.shown[0].caption);
  EXPECT_EQ(nullptr, host.environment());
}

TEST(SetupFlowOnWindows, PayloadWithoutFrameworkShowsTheEnvironmentBoxesAndEndsWithMinusOne) {
  MemoryArchive archive;
  archive.Add("index", {'<', 'x', '/', '>'});
  RecordingSink sink;
  InMemoryPayloadHost host(sink, &archive);
  EXPECT_EQ(-1, SetupFlow(host, sink).Run());
  EXPECT_EQ((std::vector<std::string>{"Failed to setup temporary Tervix enviornment! - Aborting",
                                      "Failed to Initialize installer script engine."}),
            Texts(sink));
  for (const ShownMessage& message : sink.shown) EXPECT_EQ("Critical Error", message.caption);
  EXPECT_TRUE(host.closed);

  // A set-up that fails part-way leaves its (here empty) folder behind.
  ASSERT_NE(nullptr, host.environment());
  std::string folder = host.environment()->folder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(std::string::npos, folder.find("\\trvxtmp~"));
  EXPECT_TRUE(PathExists(folder));
  EXPECT_EQ(folder + "\\oxu.dll", Environment("OXU_SHARED_PATH"));
  EXPECT_EQ(folder + "\\oxulib.conf", Environment("OXU_LIBRARY_PATH"));
  EXPECT_FALSE(PathExists(folder + "\\oxu.dll"));
  RemoveDirectoryA(folder.c_str());
  EXPECT_EQ(0, archive.open_buffers);
}

TEST(SetupFlowOnWindows, FrameworkIsUnpackedBoundRegisteredAndRemovedAgain) {
  std::vector<uint8_t> oxu = ReadFileBytes(TestProgramFolder() + "\\fake_oxu.dll");
  ASSERT_FALSE(oxu.empty());
  MemoryArchive archive;
  archive.Add("tervix_oxu", oxu);
  for (const char* entry :
       {"tervix_ioweave", "tervix_korrab", "tervix_planex", "tervix_pixway", "tervix_tvx"}) {
    archive.Add(entry, {'M', 'Z'});
  }
  SetEnvironmentVariableA("FAKE_OXU_LOG", "");
  RecordingSink sink;
  InMemoryPayloadHost host(sink, &archive);
  EXPECT_EQ(-1, SetupFlow(host, sink).Run());

  // The fake framework has no script engine, so the run stops there.
  EXPECT_EQ(std::vector<std::string>{"Failed to Initialize installer script engine."}, Texts(sink));
  std::string log = Environment("FAKE_OXU_LOG");
  EXPECT_EQ(5, CountOf(log, "register;")) << log;
  EXPECT_EQ(1, CountOf(log, "shutdown;")) << log;
  EXPECT_EQ(1, CountOf(log, "detach;")) << log;
  ASSERT_NE(nullptr, host.environment());
  EXPECT_TRUE(host.environment()->folder().empty());
  std::string shared = Environment("OXU_SHARED_PATH");
  EXPECT_NE(std::string::npos, shared.find("\\trvxtmp~"));
  EXPECT_FALSE(PathExists(shared));
  EXPECT_EQ(0, archive.open_buffers);
  SetEnvironmentVariableA("OXU_SHARED_PATH", nullptr);
  SetEnvironmentVariableA("OXU_LIBRARY_PATH", nullptr);
}

TEST(SystemPathSources, FillsTheTableFromTheShellWithInstdirUnderProgramFiles) {
  SystemPathSources sources;
  VariableTable variables;
  FillPathVariables(sources, variables);
  for (const char* name : {"desktopdir", "windowsdir", "startmenudir", "fontsdir",
                           "programfilesdir", "instdir", "appdatadir"}) {
    EXPECT_NE(nullptr, variables.Find(name)) << name;
  }
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  ASSERT_NE(nullptr, variables.Find("windowsdir"));
  EXPECT_EQ(0, lstrcmpiA(windows, variables.Find("windowsdir")->c_str()));
  ASSERT_NE(nullptr, variables.Find("programfilesdir"));
  EXPECT_EQ(*variables.Find("programfilesdir") + "\\Corvana2", *variables.Find("instdir"));
}

}  // namespace
