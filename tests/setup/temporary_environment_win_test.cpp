#include "setup/temporary_environment.h"

#include <aclapi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "setup/private_folder_security.h"
#include "setup/variable_table.h"
#include "tests/setup/fake_framework.h"
#include "tests/setup/memory_archive.h"
#include "tests/setup/win_test_paths.h"

namespace {

std::string TempPath() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

// A folder of its own under the temporary folder, emptied and removed after.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* name) : path_(TempPath() + name) {
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() { Remove(path_); }
  const std::string& path() const { return path_; }

 private:
  static void Remove(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(path);
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }
  std::string path_;
};

// Sets an environment variable for the test's length.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name), old_(Environment(name)) {
    had_ = GetEnvironmentVariableA(name, nullptr, 0) != 0;
    SetEnvironmentVariableA(name, value);
  }
  ~ScopedVariable() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

void Occupy(const std::string& base, int from, int to) {
  for (int n = from; n <= to; ++n) {
    CreateDirectoryA((base + "\\trvxtmp~" + std::to_string(n)).c_str(), nullptr);
  }
}

TEST(TemporaryEnvironmentFolder, TakesTheFirstNameItCanCreate) {
  ScratchFolder base("qorva_fresh_folder_test");
  std::string folder;
  ASSERT_TRUE(TemporaryEnvironment::CreateFreshFolder(base.path() + "\\", &folder));
  EXPECT_EQ(base.path() + "\\trvxtmp~0", folder);
  Occupy(base.path(), 1, 9);
  // A file of the next name counts as taken too: nothing prepared by someone
  // else is ever used.
  const std::string planted = base.path() + "\\trvxtmp~a";
  HANDLE file = CreateFileA(planted.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  CloseHandle(file);
  ASSERT_TRUE(TemporaryEnvironment::CreateFreshFolder(base.path(), &folder));
  EXPECT_EQ(base.path() + "\\trvxtmp~b", folder);
  EXPECT_TRUE(PathExists(folder));

  EXPECT_FALSE(TemporaryEnvironment::CreateFreshFolder("", &folder));
  EXPECT_FALSE(TemporaryEnvironment::CreateFreshFolder(base.path() + "\\missing\\", &folder));
}

// The folder and the libraries extracted into it let in the current user
// and no one else (the binding then fails: the libraries here are not real).
TEST(TemporaryEnvironmentFolder, FolderAndItsLibrariesAreTheCurrentUsersAlone) {
  ScratchFolder base("qorva_private_folder_test");
  ScopedVariable temp("TMP", base.path().c_str());
  ScopedVariable shared("OXU_SHARED_PATH", nullptr);
  ScopedVariable library("OXU_LIBRARY_PATH", nullptr);
  MemoryArchive archive;
  for (const TemporaryEnvironment::Library& entry : TemporaryEnvironment::kLibraries) {
    archive.Add(entry.entry, {'M', 'Z'});
  }
  VariableTable variables;
  RecordingSink sink;
  TemporaryEnvironment environment(&archive, variables, sink);
  EXPECT_FALSE(environment.SetUpEnvironment());
  const std::string folder = environment.folder();
  const std::string inside = folder + "\\tvx.dll";
  ASSERT_TRUE(PathExists(inside));

  PrivateFolderSecurity security;
  ASSERT_TRUE(security.usable());
  ASSERT_FALSE(security.user_sid().empty());
  PSID user = const_cast<uint8_t*>(security.user_sid().data());
  // The system account stands for the operating system itself (Wine lists
  // it beside the owner); no one else may be let in.
  uint8_t system_sid[SECURITY_MAX_SID_SIZE];
  DWORD system_size = sizeof system_sid;
  ASSERT_TRUE(CreateWellKnownSid(WinLocalSystemSid, nullptr, system_sid, &system_size));
  for (const std::string& path : {folder, inside}) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(DWORD(ERROR_SUCCESS),
              GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                    nullptr, nullptr, &dacl, nullptr, &descriptor))
        << path;
    ASSERT_NE(nullptr, dacl) << path << ": a null DACL lets everyone in";
    bool user_allowed = false;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
      void* ace = nullptr;
      ASSERT_TRUE(GetAce(dacl, i, &ace));
      auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
      PSID sid = &allowed->SidStart;
      if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
      user_allowed = user_allowed || EqualSid(sid, user);
      EXPECT_TRUE(EqualSid(sid, user) || EqualSid(sid, system_sid)) << path << ", entry " << i;
    }
    EXPECT_TRUE(user_allowed) << path;
    LocalFree(descriptor);
  }
}

// The whole set-up, up to the extraction that fails here because the
// payload holds no libraries.
TEST(TemporaryEnvironmentFolder, RunWithTenFoldersPresentUsesTrvxtmpA) {
  ScratchFolder base("qorva_run_folder_test");
  Occupy(base.path(), 0, 9);
  ScopedVariable temp("TMP", (base.path() + "\\").c_str());
  ScopedVariable shared("OXU_SHARED_PATH", nullptr);
  ScopedVariable library("OXU_LIBRARY_PATH", nullptr);
  MemoryArchive archive;
  VariableTable variables;
  RecordingSink sink;
  TemporaryEnvironment environment(&archive, variables, sink);
  EXPECT_FALSE(environment.SetUpEnvironment());
  EXPECT_EQ(base.path() + "\\trvxtmp~a", environment.folder());
  EXPECT_TRUE(PathExists(environment.folder()));
  EXPECT_EQ(environment.folder() + "\\oxu.dll", Environment("OXU_SHARED_PATH"));
  EXPECT_TRUE(sink.shown.empty());
}

TEST(TemporaryEnvironmentTearDown, RemovesTheFolderWithSubfoldersAndFiles) {
  ScratchFolder base("qorva_teardown_test");
  ScopedVariable temp("TMP", base.path().c_str());
  MemoryArchive archive;
  VariableTable variables;
  RecordingSink sink;
  TemporaryEnvironment environment(&archive, variables, sink);
  environment.SetUpEnvironment();
  const std::string folder = environment.folder();
  ASSERT_FALSE(folder.empty());
  ASSERT_TRUE(CreateDirectoryA((folder + "\\sub").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((folder + "\\sub\\deeper").c_str(), nullptr));
  for (const char* name : {"\\a.exe", "\\sub\\b.txt", "\\sub\\deeper\\c.txt"}) {
    HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << name;
    CloseHandle(file);
  }
  environment.TearDownEnvironment();
  EXPECT_FALSE(PathExists(folder));
  EXPECT_TRUE(environment.folder().empty());
}

class RegisterLibraryTest : public ::testing::Test {
 protected:
  RegisterLibraryTest() : environment_(&archive_, variables_, sink_) {
    variables_.SetVariable("libs", "C:\\Libraries");
  }
  void SetUp() override {
    SetEnvironmentVariableA("FAKE_OXU_LOG", "");
    ASSERT_TRUE(environment_.binding().Bind(TestProgramFolder() + "\\fake_oxu.dll"));
  }
  void TearDown() override {
    environment_.binding().Unbind();
    SetEnvironmentVariableA("OXU_SHARED_PATH", nullptr);
  }

  MemoryArchive archive_;
  VariableTable variables_;
  RecordingSink sink_;
  TemporaryEnvironment environment_;
};

TEST_F(RegisterLibraryTest, RefusalShowsTheRegistrationFailedBoxWithTheExpandedPath) {
  EXPECT_TRUE(environment_.RegisterLibrary("$(libs)\\good.dll", nullptr, 0));
  EXPECT_TRUE(sink_.shown.empty());
  EXPECT_FALSE(environment_.RegisterLibrary("$(libs)\\refused.dll", L"C:\\Models", 2));
  ASSERT_EQ(1u, sink_.shown.size());
  EXPECT_EQ("Registration Failed for \"C:\\Libraries\\refused.dll\"", sink_.shown[0].text);
  EXPECT_EQ("Error", sink_.shown[0].caption);
  EXPECT_TRUE(sink_.shown[0].wide);
}

TEST_F(RegisterLibraryTest, PathThatDoesNotExpandFailsWithoutAMessage) {
  const std::string before = Environment("FAKE_OXU_LOG");
  EXPECT_FALSE(environment_.RegisterLibrary("$(nothere)\\a.dll", nullptr, 0));
  EXPECT_TRUE(sink_.shown.empty());
  EXPECT_EQ(before, Environment("FAKE_OXU_LOG")) << "no registrar was asked";
}

}  // namespace
