#include "setup/setup_flow.h"

#include <gtest/gtest.h>

#include "setup/setup_host.h"
#include "tests/setup/fake_framework.h"

namespace {

// A host whose every step can be made to fail and whose factory hands out the
// fakes below; it writes down which steps ran.
class FakeHost : public SetupHost {
 public:
  bool OpenPayload() override {
    steps += "open;";
    return payload_opens;
  }
  void ClosePayload() override { steps += "close;"; }
  framework::Archive* PayloadArchive() override { return archive; }
  bool SetUpEnvironment() override {
    steps += "setup;";
    return environment_ready;
  }
  void TearDownEnvironment() override { steps += "teardown;"; }
  bool CreateScriptObject() override {
    steps += "script;";
    return script_ready;
  }
  void FillPathVariables() override { steps += "paths;"; }
  int32_t CreateInstance(const framework::Guid& classId, const framework::Guid& interfaceId,
                         void** object, framework::Object*) override {
    *object = nullptr;
    framework::Object* source = nullptr;
    if (classId == framework::kScriptClassId &&
        interfaceId == framework::kInterfaceDefinitionSetId) {
      source = definitions;
    } else if (classId == framework::kScriptClassId && interfaceId == framework::kArgumentListId) {
      source = arguments;
    } else if (classId == framework::kApplicationClassId &&
               interfaceId == framework::kApplicationId) {
      source = application;
    }
    if (source == nullptr) return framework::kFailed;
    return source->QueryInterface(interfaceId, object, 1);
  }

  bool payload_opens = true;
  bool environment_ready = true;
  bool script_ready = true;
  framework::Archive* archive = reinterpret_cast<framework::Archive*>(this);  // only compared
  FakeDefinitionSet* definitions = nullptr;
  FakeArgumentList* arguments = nullptr;
  FakeApplication* application = nullptr;
  std::string steps;
};

class SetupFlowTest : public ::testing::Test {
 protected:
  SetupFlowTest() {
    host.definitions = &definitions;
    host.arguments = &arguments;
    host.application = &application;
    definitions.windows = &windows;
    windows.window_to_give = &window;
  }

  int Run() { return SetupFlow(host, sink).Run(); }

  // Every fake's references came back.
  void ExpectAllReleased() {
    EXPECT_EQ(0, definitions.references);
    EXPECT_EQ(0, arguments.references);
    EXPECT_EQ(0, application.references);
    EXPECT_EQ(0, windows.references);
    EXPECT_EQ(0, window.references);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& message : sink.shown) texts.push_back(message.text);
    return texts;
  }

  FakeHost host;
  RecordingSink sink;
  FakeDefinitionSet definitions;
  FakeArgumentList arguments;
  FakeApplication application;
  FakeWindowDefinitions windows;
  FakeWindow window;
};

TEST_F(SetupFlowTest, CorruptPayloadShowsOnlyTheCorruptDataBoxAndExitsWithZero) {
  host.payload_opens = false;
  EXPECT_EQ(0, Run());
  ASSERT_EQ(1u, sink.shown.size());
  EXPECT_EQ("The install data is corrupt!,\nPlease download the installer again!",
            sink.shown[0].text);
  EXPECT_EQ("Fatal Error...", sink.shown[0].caption);
  EXPECT_FALSE(sink.shown[0].wide);
  EXPECT_EQ("open;", host.steps);
}

TEST_F(SetupFlowTest, EnvironmentFailureShowsBothBoxesAndSkipsTheTearDown) {
  host.environment_ready = false;
  EXPECT_EQ(-1, Run());
  EXPECT_EQ((std::vector<std::string>{"Failed to setup temporary Tervix enviornment! - Aborting",
                                      "Failed to Initialize installer script engine."}),
            Texts());
  for (const ShownMessage& message : sink.shown) EXPECT_EQ("Critical Error", message.caption);
  EXPECT_EQ("open;setup;close;", host.steps);
}

TEST_F(SetupFlowTest, ScriptEngineFailureTearsTheEnvironmentDown) {
  host.script_ready = false;
  EXPECT_EQ(-1, Run());
  EXPECT_EQ(std::vector<std::string>{"Failed to Initialize installer script engine."}, Texts());
  EXPECT_EQ("open;setup;script;teardown;close;", host.steps);
}

TEST_F(SetupFlowTest, SuccessfulRunLoadsTheMarkupRunsTheWindowAndReleasesEverything) {
  EXPECT_EQ(-1, Run());
  EXPECT_TRUE(sink.shown.empty());
  EXPECT_EQ("open;setup;script;paths;teardown;close;", host.steps);
  EXPECT_EQ(host.archive, definitions.loaded_archive);
  EXPECT_EQ("install_gui_tvx", definitions.loaded_entry);
  EXPECT_EQ("tahoma", definitions.font_face);
  EXPECT_EQ(12, definitions.font_size);
  EXPECT_EQ((std::vector<int32_t>{1, 1}), definitions.flags);
  EXPECT_EQ("English", definitions.language);
  EXPECT_TRUE(windows.requested_type == framework::kTvxWindowTypeId);
  EXPECT_EQ("install", windows.requested_name);
  EXPECT_EQ("initialize(0);run;shutdown;", application.calls);
  ExpectAllReleased();
}

TEST_F(SetupFlowTest, MarkupLoadFailureShowsTheFrameworkTextOrTheNotFoundText) {
  definitions.load_result = -2;
  EXPECT_EQ(-1, Run());
  ASSERT_EQ(1u, sink.shown.size());
  EXPECT_EQ("\"install_gui_tvx\" not found!\n", sink.shown[0].text);
  EXPECT_EQ("Error!", sink.shown[0].caption);
  EXPECT_TRUE(sink.shown[0].wide);
  EXPECT_EQ("", application.calls);

  sink.shown.clear();
  definitions.error_text = L"line 3: bad tag";
  Run();
  ASSERT_EQ(1u, sink.shown.size());
  EXPECT_EQ("line 3: bad tag", sink.shown[0].text);
  ExpectAllReleased();
}

TEST_F(SetupFlowTest, MissingFrameworkObjectsShowTheirBoxes) {
  host.definitions = nullptr;
  Run();
  EXPECT_EQ(
      std::vector<std::string>{"Corrupt temporary Tervix Enviornment - InterfaceDefinitionSet"},
      Texts());
  EXPECT_EQ("open;setup;script;paths;teardown;close;", host.steps);

  sink.shown.clear();
  host.definitions = &definitions;
  host.application = nullptr;
  Run();
  EXPECT_EQ(std::vector<std::string>{"Corrupt temporary Tervix Enviornment - TKorrabApp"}, Texts());

  sink.shown.clear();
  host.application = &application;
  definitions.windows = nullptr;
  Run();
  EXPECT_EQ(std::vector<std::string>{"Bad Install TVX - No Interface"}, Texts());
  // The application was initialised, so it is shut down, but never run.
  EXPECT_EQ("initialize(0);shutdown;", application.calls);
  for (const ShownMessage& message : sink.shown) EXPECT_EQ("Critical Error", message.caption);
  ExpectAllReleased();
}

TEST_F(SetupFlowTest, WindowCreationFailuresShowTheirBoxThenTheUnableToCreateBox) {
  struct Case {
    int32_t result;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {framework::kNoSuchWindow,
       {"Unable to find window \"install\" for creation.",
        "Unable to create \"install' <window> from TVX"}},
      {framework::kWindowTypeUnavailable,
       {"Unable to create window type: \"WID_TVX_WINDOW\" for creation.",
        "Unable to create \"install' <window> from TVX"}},
      {framework::kFailed, {"Unable to create \"install' <window> from TVX"}},
  };
  windows.window_to_give = nullptr;
  for (const Case& c : cases) {
    sink.shown.clear();
    application.calls.clear();
    windows.result = c.result;
    EXPECT_EQ(-1, Run());
    EXPECT_EQ(c.texts, Texts()) << "result " << c.result;
    EXPECT_EQ("initialize(0);shutdown;", application.calls);
  }
  ExpectAllReleased();
}

}  // namespace
