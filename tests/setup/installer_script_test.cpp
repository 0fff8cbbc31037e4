#include "setup/installer_script.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "framework/planex/global_object_table.h"
#include "framework/planex/planex_factory.h"
#include "framework/planex/script_job_queue.h"
#include "setup/framework_factory.h"
#include "setup/framework_ref.h"
#include "setup/installer_script_container.h"
#include "setup/script_services.h"
#include "setup/variable_table.h"
#include "tests/framework/planex_test_objects.h"

namespace {

class PlanexFactory final : public FrameworkFactory {
 public:
  int32_t CreateInstance(const framework::Guid& classId, const framework::Guid& interfaceId,
                         void** object, framework::Object* outer) override {
    return CreatePlanexInstance(&classId, &interfaceId, object, outer);
  }
};

class RecordingScriptSystem final : public ScriptSystem {
 public:
  void Popup(const std::string& caption, const std::string& text) override {
    calls.push_back("popup " + caption + "|" + text);
  }
  bool Execute(const std::string& commandLine, const std::string& folder) override {
    calls.push_back("execute " + commandLine + "|" + folder);
    return false;
  }
  void OpenFile(const std::string& path) override { calls.push_back("open " + path); }
  bool IsWindowOpen(const std::string& windowClass, const std::string& title) override {
    calls.push_back("window " + windowClass + "|" + title);
    return title == "Shown";
  }
  bool IsRebootNeeded() override { return false; }
  bool SystemReboot() override { return true; }
  std::vector<std::string> calls;
};

// Reports 0, 0.5 and 1 and records what it was asked to install.
class RecordingRunner final : public InstallRunner {
 public:
  void Install(const std::vector<PackageSelection>* selection, InstallProgress& progress) override {
    ++installs;
    all = selection == nullptr;
    if (selection != nullptr) selected = *selection;
    for (double fraction : {0.0, 0.5, 1.0}) progress.Report(fraction);
  }
  void RequestStop() override { ++stops; }
  std::atomic<int> installs{0};
  std::atomic<int> stops{0};
  bool all = false;
  std::vector<PackageSelection> selected;
};

class InstallerScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CallRecorder::Instance().Clear();
    variables_.SetVariable("base", "C:\\Base");
    container_ = new InstallerScriptContainer(factory_);
    ASSERT_TRUE(container_->CreateInner(framework::kScriptClassId, framework::kScriptObjectId));
    FrameworkRef<framework::ScriptObjectInterface> object;
    ASSERT_EQ(framework::kOk,
              container_->QueryInterface(framework::kScriptObjectInterfaceId, object.OutVoid(), 1));
    ASSERT_TRUE(script_.Describe(object.get(), object.get(), container_));
    container_->SetScript(&script_);
    FrameworkRef<framework::ScriptEngine> engine;
    factory_.CreateInstance(framework::kScriptClassId, framework::kScriptEngineId, engine.OutVoid(),
                            nullptr);
    ASSERT_EQ(framework::kOk, engine->AddGlobalObject(container_));
    factory_.CreateInstance(framework::kScriptClassId, framework::kScriptContextId,
                            context_.OutVoid(), nullptr);
    factory_.CreateInstance(framework::kScriptClassId, framework::kScriptObjectInterfaceId,
                            window_.OutVoid(), nullptr);
    window_->SetName(L"install");
    window_->AddMethod(L"Record", RecordingDispatcher, window_.get(), nullptr, 7);
    ASSERT_EQ(framework::kOk, context_->AddNamedObject(L"install", window_.get()));
  }

  void TearDown() override {
    script_.StopWorker();
    ScriptJobQueue::Instance().Clear();
    window_.Reset();
    context_.Reset();
    GlobalObjectTable::Instance().Clear();
    container_->Release();
  }

  // The script's completion value, or "failed: <error>".
  std::wstring Evaluate(const wchar_t* text, bool onWindow = false) {
    FrameworkRef<framework::Value> result;
    factory_.CreateInstance(framework::kScriptClassId, framework::kValueId, result.OutVoid(),
                            nullptr);
    const int32_t outcome =
        context_->Evaluate(text, onWindow ? window_.get() : nullptr, nullptr, result.get());
    return outcome == framework::kOk ? std::wstring(result->GetText())
                                     : L"failed: " + std::wstring(result->GetText());
  }

  void WaitForWorker() {
    for (int i = 0; i < 500 && script_.WorkerRunning(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(script_.WorkerRunning());
    ScriptJobQueue::Instance().RunPending();
  }

  std::vector<std::vector<std::wstring>> Recorded() {
    std::vector<std::vector<std::wstring>> calls;
    for (const RecordedCall& call : CallRecorder::Instance().Calls()) {
      calls.push_back(call.arguments);
    }
    return calls;
  }

  PlanexFactory factory_;
  VariableTable variables_;
  RecordingScriptSystem system_;
  RecordingRunner runner_;
  InstallerScript script_{factory_, variables_, system_, runner_};
  InstallerScriptContainer* container_ = nullptr;
  FrameworkRef<framework::ScriptContext> context_;
  FrameworkRef<framework::ScriptObjectInterface> window_;
};

TEST_F(InstallerScriptTest, MethodsAreAddedInTheirOrderWithTheirIds) {
  const std::vector<std::pair<std::wstring, int32_t>> expected = {
      {L"Execute", 6},
      {L"OpenFile", 11},
      {L"SetInstallPath", 0},
      {L"GetInstallPath", 14},
      {L"SetSharedPath", 5},
      {L"InstallAllPackages", 1},
      {L"SelectPackageForInstall", 8},
      {L"SelectSubPackageForInstall", 9},
      {L"InstallSelectedPackages", 10},
      {L"Popup", 2},
      {L"Register", 3},
      {L"UnRegister", 4},
      {L"IsWindowOpen", 13},
      {L"IsRebootNeeded", 15},
      {L"SystemReboot", 16}};
  std::vector<std::pair<std::wstring, int32_t>> methods;
  for (const InstallerScript::Method& method : InstallerScript::kMethods) {
    methods.emplace_back(method.name, method.id);
  }
  EXPECT_EQ(expected, methods);
}

TEST_F(InstallerScriptTest, MethodsAnswerTheScript) {
  struct Case {
    const wchar_t* script;
    const wchar_t* result;
  };
  const Case cases[] = {
      {L"installer.GetInstallPath()", L""},
      {L"installer.SetInstallPath('$(base)/app')", L"1"},
      {L"installer.GetInstallPath()", L"C:\\Base\\app"},
      {L"installer.SetInstallPath('$(nothere)/app')", L"0"},
      {L"installer.SetInstallPath('')", L"0"},
      {L"installer.SetInstallPath()", L"0"},
      {L"installer.GetInstallPath()", L"C:\\Base\\app"},
      {L"installer.SetSharedPath('$(instdir)/shared')", L"1"},
      {L"installer.Execute('$(instdir)/tool.exe /q', '$(base)')", L"launched"},
      {L"installer.OpenFile('$(instdir)/readme.txt')", L"opened"},
      {L"installer.IsWindowOpen('Cls', 'Shown')", L"1"},
      {L"installer.IsWindowOpen('Cls', 'Hidden')", L"0"},
      {L"installer.IsRebootNeeded()", L"0"},
      {L"installer.SystemReboot()", L"1"},
      {L"typeof installer.Popup('Caption', 'Text')", L"undefined"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, Evaluate(c.script)) << c.script;
  std::string sharedir;
  ASSERT_TRUE(variables_.Lookup("sharedir", &sharedir));
  EXPECT_EQ("C:\\Base\\app\\shared", sharedir);
  const std::vector<std::string> expected = {"execute C:\\Base\\app\\tool.exe \\q|C:\\Base",
                                             "open C:\\Base\\app\\readme.txt", "window Cls|Shown",
                                             "window Cls|Hidden", "popup Caption|Text"};
  EXPECT_EQ(expected, system_.calls);
}

// A failed call gives the script the result text stored for it, if any.
TEST_F(InstallerScriptTest, BadArgumentsFailTheCall) {
  struct Case {
    const wchar_t* script;
    const wchar_t* result;
  };
  const Case cases[] = {
      {L"installer.Execute('$(nothere)', 'x')", L"couldn't translate string"},
      {L"installer.OpenFile('$(nothere)')", L"couldn't translate string"},
      {L"installer.IsWindowOpen('only one')", L"couldn't translate string"},
      {L"typeof installer.Popup('only one')", L"undefined"},
      {L"typeof installer.SelectPackageForInstall()", L"undefined"},
      {L"typeof installer.Register('installdone')", L"undefined"},
      {L"typeof installer.UnRegister()", L"undefined"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, Evaluate(c.script)) << c.script;
  EXPECT_TRUE(system_.calls.empty());
  EXPECT_TRUE(script_.Selection().empty());
  EXPECT_EQ(0u, script_.listeners().size());
}

TEST_F(InstallerScriptTest, SelectionsCollectSubpackagesOfTheLastPackage) {
  Evaluate(
      L"installer.SelectSubPackageForInstall('early');"
      L"installer.SelectPackageForInstall('P');"
      L"installer.SelectSubPackageForInstall('b');"
      L"installer.SelectSubPackageForInstall('a');"
      L"installer.SelectPackageForInstall('Q');");
  const std::vector<PackageSelection> selection = script_.Selection();
  ASSERT_EQ(2u, selection.size());
  EXPECT_EQ("P", selection[0].package_id);
  EXPECT_EQ((std::vector<std::string>{"b", "a"}), selection[0].subpackage_ids);
  EXPECT_EQ("Q", selection[1].package_id);
  EXPECT_TRUE(selection[1].subpackage_ids.empty());
}

TEST_F(InstallerScriptTest, TheWorkerRunsOnceAndFiresProgressAndDone) {
  EXPECT_EQ(L"registered", Evaluate(L"return installer.Register('installprogress', "
                                    L"'install.Record(params[0], params[1])')",
                                    true));
  Evaluate(
      L"installer.Register('installdone', 'install.Record(params[0], params.length)');"
      L"installer.SelectPackageForInstall('P');"
      L"installer.InstallSelectedPackages(); installer.InstallSelectedPackages();"
      L"installer.InstallAllPackages();",
      true);
  WaitForWorker();
  EXPECT_EQ(1, runner_.installs);
  EXPECT_FALSE(runner_.all);
  ASSERT_EQ(1u, runner_.selected.size());
  EXPECT_EQ("P", runner_.selected[0].package_id);
  const std::vector<std::vector<std::wstring>> expected = {{L"installprogress", L"0.000000"},
                                                           {L"installprogress", L"0.500000"},
                                                           {L"installprogress", L"1.000000"},
                                                           {L"installdone", L"1"}};
  EXPECT_EQ(expected, Recorded());
}

TEST_F(InstallerScriptTest, ListenersAreRemovedByNameOrWhenTheirTargetIsGone) {
  Evaluate(
      L"installer.Register('installdone', 'install.Record(1)');"
      L"installer.Register('installdone', 'install.Record(2)', 'gone');"
      L"installer.Register('other', 'install.Record(3)');",
      true);
  EXPECT_EQ(3u, script_.listeners().size());
  script_.FireEvent(L"installdone", nullptr);
  // The entry for the window that is not there went on the first event.
  EXPECT_EQ(2u, script_.listeners().size());
  EXPECT_EQ(L"unregistered", Evaluate(L"return installer.UnRegister('INSTALLDONE')", true));
  EXPECT_EQ(1u, script_.listeners().size());
  EXPECT_EQ(L"unregistered", Evaluate(L"return installer.UnRegister('nothing')", true));
  script_.FireEvent(L"installdone", nullptr);
  EXPECT_EQ((std::vector<std::vector<std::wstring>>{{L"1"}}), Recorded());
}

}  // namespace
