#include "setup/framework_binding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/setup/win_test_paths.h"

namespace {

// The fake libraries append every call they receive to FAKE_OXU_LOG.
class FrameworkBindingTest : public ::testing::Test {
 protected:
  void SetUp() override { SetEnvironmentVariableA("FAKE_OXU_LOG", ""); }
  void TearDown() override { SetEnvironmentVariableA("OXU_SHARED_PATH", nullptr); }

  static std::string Library(const char* name) { return TestProgramFolder() + "\\" + name; }
  static std::string TakeLog() {
    std::string log = Environment("FAKE_OXU_LOG");
    SetEnvironmentVariableA("FAKE_OXU_LOG", "");
    return log;
  }
};

TEST_F(FrameworkBindingTest, BindsAttachesInitialisesTheRegistrarAndUndoesItAll) {
  std::string path = Library("fake_oxu.dll");
  FrameworkBinding binding;
  ASSERT_TRUE(binding.Bind(path));
  EXPECT_TRUE(binding.IsBound());
  EXPECT_EQ("attach;created;initialize;registrar deleted;", TakeLog());
  EXPECT_EQ(path, Environment("OXU_SHARED_PATH"));

  framework::Registrar* registrar = nullptr;
  ASSERT_EQ(framework::kOk,
            binding.CreateInstance(framework::kRegistrarClassId, framework::kRegistrarId,
                                   reinterpret_cast<void**>(&registrar)));
  ASSERT_NE(nullptr, registrar);
  EXPECT_EQ(0, registrar->Register(1, L"C:\\x.dll", 0, nullptr));
  EXPECT_EQ(0, registrar->Release());
  TakeLog();

  binding.Unbind();
  EXPECT_FALSE(binding.IsBound());
  // The registrar this binding initialised is shut down before the library goes.
  EXPECT_EQ("created;shutdown;registrar deleted;detach;", TakeLog());
  EXPECT_EQ(nullptr, GetModuleHandleA(path.c_str()));
  void* object = &binding;
  EXPECT_EQ(framework::kFailed,
            binding.CreateInstance(framework::kRegistrarClassId, framework::kRegistrarId, &object));
  EXPECT_EQ(nullptr, object);
}

TEST_F(FrameworkBindingTest, RefusedAttachOrMissingFactoryLeavesNothingLoaded) {
  struct Case {
    const char* library;
    const char* log;
  };
  const Case cases[] = {
      {"fake_oxu_refuses.dll", "attach;"},
      {"fake_oxu_no_factory.dll", "attach;detach;"},
  };
  for (const Case& c : cases) {
    std::string path = Library(c.library);
    FrameworkBinding binding;
    EXPECT_FALSE(binding.Bind(path)) << c.library;
    EXPECT_FALSE(binding.IsBound());
    EXPECT_EQ(c.log, TakeLog()) << c.library;
    EXPECT_EQ(nullptr, GetModuleHandleA(path.c_str())) << c.library;
  }
}

TEST_F(FrameworkBindingTest, LoadsOnlyByFullPath) {
  // The fake library sits in the program's folder, which a bare name would find.
  FrameworkBinding binding;
  EXPECT_FALSE(binding.Bind("fake_oxu.dll"));
  EXPECT_FALSE(binding.Bind("fake_oxu"));
  EXPECT_FALSE(binding.Bind(".\\fake_oxu.dll"));
  EXPECT_FALSE(binding.Bind(""));
  EXPECT_FALSE(binding.Bind(Library("missing.dll")));
  EXPECT_EQ("", TakeLog());

  EXPECT_TRUE(FrameworkBinding::IsFullPath("C:\\a\\oxu.dll"));
  EXPECT_TRUE(FrameworkBinding::IsFullPath("c:/a/oxu.dll"));
  EXPECT_TRUE(FrameworkBinding::IsFullPath("\\\\server\\share\\oxu.dll"));
  EXPECT_FALSE(FrameworkBinding::IsFullPath("\\a\\oxu.dll"));
  EXPECT_FALSE(FrameworkBinding::IsFullPath("C:oxu.dll"));
}

// Stands for a system without SetDefaultDllDirectories, which refuses the
// LOAD_LIBRARY_SEARCH_* flags as an invalid parameter; records every call.
struct LoaderCall {
  std::string path;
  unsigned long flags;
};
std::vector<LoaderCall> g_loader_calls;
DWORD g_refusal = ERROR_INVALID_PARAMETER;

void* OldSystemLoader(const char* path, unsigned long flags) {
  g_loader_calls.push_back({path, flags});
  if (flags & (LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    SetLastError(g_refusal);
    return nullptr;
  }
  return LoadLibraryExA(path, nullptr, DWORD(flags));
}

TEST_F(FrameworkBindingTest, SystemsRefusingTheSearchFlagsLoadByFullPathWithTheAlteredSearch) {
  g_loader_calls.clear();
  g_refusal = ERROR_INVALID_PARAMETER;
  const std::string path = Library("fake_oxu.dll");
  FrameworkBinding binding(OldSystemLoader);
  ASSERT_TRUE(binding.Bind(path));
  EXPECT_EQ("attach;created;initialize;registrar deleted;", TakeLog());
  ASSERT_EQ(2u, g_loader_calls.size());
  EXPECT_EQ(DWORD(LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32),
            g_loader_calls[0].flags);
  EXPECT_EQ(DWORD(LOAD_WITH_ALTERED_SEARCH_PATH), g_loader_calls[1].flags);
  EXPECT_EQ(path, g_loader_calls[1].path);
  binding.Unbind();
  TakeLog();

  // Any other failure is final: no second try.
  g_loader_calls.clear();
  g_refusal = ERROR_MOD_NOT_FOUND;
  FrameworkBinding missing(OldSystemLoader);
  EXPECT_FALSE(missing.Bind(path));
  EXPECT_EQ(1u, g_loader_calls.size());
  EXPECT_EQ("", TakeLog());
}

TEST_F(FrameworkBindingTest, SharedPathComesFromTheEnvironmentAndBlanksCountAsEmpty) {
  SetEnvironmentVariableA("OXU_SHARED_PATH", "C:\\fw\\oxu.dll");
  EXPECT_EQ("C:\\fw\\oxu.dll", FrameworkBinding::FindSharedPath());

  // A set variable is used even when it holds only blanks; then it is empty.
  SetEnvironmentVariableA("OXU_SHARED_PATH", "   ");
  EXPECT_EQ("", FrameworkBinding::FindSharedPath());
  SetEnvironmentVariableA("OXU_SHARED_PATH", " \t\r\n");
  EXPECT_EQ("", FrameworkBinding::FindSharedPath());
}

}  // namespace
