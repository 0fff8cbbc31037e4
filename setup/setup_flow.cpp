#include "setup/setup_flow.h"

#include <cwchar>

#include "setup/message_sink.h"
#include "setup/setup_host.h"

namespace {

constexpr char kCriticalCaption[] = "Critical Error";
constexpr char kMarkupEntry[] = "install_gui_tvx";
constexpr uint32_t kErrorTextCapacity = 1024;

template <typename Interface>
void ReleaseIfHeld(Interface*& object) {
  if (object != nullptr) object->Release();
  object = nullptr;
}

}  // namespace

template <typename Interface>
Interface* SetupFlow::Create(const framework::Guid& classId, const framework::Guid& interfaceId) {
  void* object = nullptr;
  if (framework::Failed(host_.CreateInstance(classId, interfaceId, &object, nullptr))) {
    return nullptr;
  }
  return static_cast<Interface*>(object);
}

void SetupFlow::ShowCritical(const char* text) { messages_.ShowMessage(text, kCriticalCaption); }

int SetupFlow::Run() {
  if (!host_.OpenPayload()) {
    messages_.ShowMessage("The install data is corrupt!,\nPlease download the installer again!",
                          "Fatal Error...");
    return kPayloadMissingExitCode;
  }
  bool environmentReady = host_.SetUpEnvironment();
  if (!environmentReady) {
    ShowCritical("Failed to setup temporary Tervix enviornment! - Aborting");
    ShowCritical("Failed to Initialize installer script engine.");
  } else if (!host_.CreateScriptObject()) {
    ShowCritical("Failed to Initialize installer script engine.");
  } else {
    host_.FillPathVariables();
    RunInterface();
  }
  if (environmentReady) host_.TearDownEnvironment();
  host_.ClosePayload();
  return kFinishedExitCode;
}

// Loads the markup and, when it loads, hands over to the application.
void SetupFlow::RunInterface() {
  auto* definitions = Create<framework::InterfaceDefinitionSet>(
      framework::kScriptClassId, framework::kInterfaceDefinitionSetId);
  if (definitions == nullptr) {
    ShowCritical("Corrupt temporary Tervix Enviornment - InterfaceDefinitionSet");
    return;
  }
  const framework::WindowSettings settings = {L"tahoma", 12, 1, 1, L"English"};
  wchar_t errorText[kErrorTextCapacity] = L"";
  int32_t loaded = definitions->Load(host_.PayloadArchive(), kMarkupEntry, &settings, errorText,
                                     kErrorTextCapacity);
  if (framework::Failed(loaded)) {
    errorText[kErrorTextCapacity - 1] = L'\0';
    const wchar_t* shown = errorText[0] != L'\0' ? errorText : L"\"install_gui_tvx\" not found!\n";
    messages_.ShowWideMessage(shown, L"Error!");
  } else {
    RunApplication(definitions);
  }
  definitions->Release();
}

void SetupFlow::RunApplication(framework::InterfaceDefinitionSet* definitions) {
  auto* application =
      Create<framework::Application>(framework::kApplicationClassId, framework::kApplicationId);
  if (application == nullptr) {
    ShowCritical("Corrupt temporary Tervix Enviornment - TKorrabApp");
    return;
  }
  RunWindow(application, definitions);
  application->Shutdown();
  application->Release();
}

void SetupFlow::RunWindow(framework::Application* application,
                          framework::InterfaceDefinitionSet* definitions) {
  auto* noArguments =
      Create<framework::ArgumentList>(framework::kScriptClassId, framework::kArgumentListId);
  application->Initialize(noArguments);
  ReleaseIfHeld(noArguments);

  framework::WindowDefinitions* windows = nullptr;
  if (framework::Failed(definitions->QueryInterface(framework::kWindowDefinitionsId,
                                                    reinterpret_cast<void**>(&windows), 1)) ||
      windows == nullptr) {
    ShowCritical("Bad Install TVX - No Interface");
    return;
  }
  framework::Object* window = nullptr;
  int32_t created = windows->CreateWindowFromDefinition(framework::kTvxWindowTypeId, L"install",
                                                        L"install", &window);
  if (created == framework::kNoSuchWindow) {
    ShowCritical("Unable to find window \"install\" for creation.");
  }
  if (created == framework::kWindowTypeUnavailable) {
    ShowCritical("Unable to create window type: \"WID_TVX_WINDOW\" for creation.");
  }
  if (window != nullptr) {
    application->Run();
  } else {
    ShowCritical("Unable to create \"install' <window> from TVX");
  }
  ReleaseIfHeld(window);
  windows->Release();
}
