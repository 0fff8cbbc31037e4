// The real oxu.dll, ioweave.dll and planex.dll, loaded by full path the way
// setup binds them (the process's DLL search limited to the system folder)
// and used only through framework/interfaces.h.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "framework/interfaces.h"
#include "framework/oxu/registration_file.h"
#include "tests/framework/memory_byte_stream.h"
#include "tests/framework/planex_test_objects.h"

namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::string FileContents(const std::wstring& path) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096];
  DWORD read = 0;
  ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

// Runs this thread's messages until done() or about two seconds passed.
template <typename Done>
bool PumpUntil(Done done) {
  for (int round = 0; round < 200 && !done(); ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (!done()) Sleep(10);
  }
  return done();
}

class OxuFrameworkDlls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // As setup does at its start: implicit DLLs from the system folder only.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }

  void SetUp() override {
    folder_ = ProgramFolder();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    registrations_ = std::wstring(temp) + L"oxu_test_" + std::to_wstring(GetCurrentProcessId()) +
                     L"_oxulib.conf";
    DeleteFileW(registrations_.c_str());
    SetEnvironmentVariableW(L"OXU_LIBRARY_PATH", registrations_.c_str());
    oxu_ = LoadLibraryExW((folder_ + L"\\oxu.dll").c_str(), nullptr,
                          LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    ASSERT_NE(oxu_, nullptr);
    auto attach = reinterpret_cast<framework::AttachFunction>(
        reinterpret_cast<void*>(GetProcAddress(oxu_, framework::kAttachExport)));
    factory_ = reinterpret_cast<framework::CreateInstanceFunction>(
        reinterpret_cast<void*>(GetProcAddress(oxu_, framework::kCreateInstanceExport)));
    ASSERT_NE(attach, nullptr);
    ASSERT_NE(factory_, nullptr);
    ASSERT_EQ(attach(framework::kAttachLoaded), 1);
    registrar_ =
        Create<framework::Registrar>(framework::kRegistrarClassId, framework::kRegistrarId);
    ASSERT_NE(registrar_, nullptr);
    ASSERT_EQ(registrar_->Initialize(), 1);
    ASSERT_EQ(Register(L"ioweave.dll"), 0);
    ASSERT_EQ(Register(L"planex.dll"), 0);
  }

  void TearDown() override {
    if (registrar_ != nullptr) {
      registrar_->Shutdown();
      registrar_->Release();
    }
    if (oxu_ != nullptr) {
      auto attach = reinterpret_cast<framework::AttachFunction>(
          reinterpret_cast<void*>(GetProcAddress(oxu_, framework::kAttachExport)));
      attach(framework::kAttachUnloading);
      FreeLibrary(oxu_);
    }
    SetEnvironmentVariableW(L"OXU_LIBRARY_PATH", nullptr);
    DeleteFileW(registrations_.c_str());
  }

  template <typename T>
  T* Create(const framework::Guid& classId, const framework::Guid& interfaceId,
            framework::Object* outer = nullptr, int32_t* result = nullptr) {
    void* object = nullptr;
    int32_t made = factory_(&classId, &interfaceId, &object, outer);
    if (result != nullptr) *result = made;
    return made == framework::kOk ? static_cast<T*>(object) : nullptr;
  }

  int32_t Register(const std::wstring& file) {
    return registrar_->Register(framework::kRegisterLibrary, (folder_ + L"\\" + file).c_str(), 0,
                                nullptr);
  }

  std::wstring folder_;
  std::wstring registrations_;
  HMODULE oxu_ = nullptr;
  framework::CreateInstanceFunction factory_ = nullptr;
  framework::Registrar* registrar_ = nullptr;
};

}  // namespace

TEST_F(OxuFrameworkDlls, RegistrarPersistsRegistrationsAndLoadsByFullPathOnly) {
  std::vector<Registration> written = RegistrationFile::Parse(FileContents(registrations_));
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0].path, folder_ + L"\\ioweave.dll");
  EXPECT_EQ(written[1].path, folder_ + L"\\planex.dll");
  EXPECT_NE(registrar_->Register(framework::kRegisterLibrary, L"ioweave.dll", 0, nullptr), 0);
  EXPECT_NE(Register(L"no-such-library.dll"), 0);
  // A library without TCreateInstance: the compiler's test program itself.
  EXPECT_NE(Register(L"framework_win_tests.exe"), 0);
  EXPECT_EQ(RegistrationFile::Parse(FileContents(registrations_)).size(), 2u);
  EXPECT_EQ(registrar_->Initialize(), 0);

  // Classes of the registered libraries through oxu's factory.
  auto* document =
      Create<framework::XmlDocument>(framework::kXmlDocumentClassId, framework::kXmlDocumentId);
  ASSERT_NE(document, nullptr);
  document->Release();
  auto* value = Create<framework::Value>(framework::kScriptClassId, framework::kValueId);
  ASSERT_NE(value, nullptr);
  value->Release();
  int32_t result = 0;
  EXPECT_EQ(Create<framework::Object>(framework::kScriptClassId,
                                      framework::kInterfaceDefinitionSetId, nullptr, &result),
            nullptr);
  EXPECT_EQ(result, framework::kNoClass);

  std::wstring ioweave = folder_ + L"\\ioweave.dll";
  EXPECT_NE(GetModuleHandleW(ioweave.c_str()), nullptr);
  EXPECT_EQ(registrar_->Shutdown(), 0);
  EXPECT_EQ(GetModuleHandleW(ioweave.c_str()), nullptr);

  // A new initialisation reads the file and loads the library when needed.
  EXPECT_EQ(registrar_->Initialize(), 1);
  document =
      Create<framework::XmlDocument>(framework::kXmlDocumentClassId, framework::kXmlDocumentId);
  ASSERT_NE(document, nullptr);
  document->Release();
}

TEST_F(OxuFrameworkDlls, XmlDocumentReadsAndWritesThroughTheStream) {
  auto* document =
      Create<framework::XmlDocument>(framework::kXmlDocumentClassId, framework::kXmlDocumentId);
  ASSERT_NE(document, nullptr);
  MemoryByteStream empty;
  ASSERT_EQ(document->LoadFromStream(&empty), framework::kOk);
  framework::XmlElement* top = nullptr;
  ASSERT_EQ(document->GetDocumentElement(&top), framework::kOk);
  framework::XmlElement* log = nullptr;
  ASSERT_EQ(top->AppendChild("UninstallLog", &log), framework::kOk);
  framework::XmlElement* packages = nullptr;
  ASSERT_EQ(log->AppendChild("packages", &packages), framework::kOk);
  framework::XmlElement* package = nullptr;
  ASSERT_EQ(packages->AppendChild("package", &package), framework::kOk);
  EXPECT_EQ(package->SetAttribute("ID", L"Designer \u00e9"), framework::kOk);
  package->Release();
  packages->Release();
  log->Release();
  top->Release();
  MemoryByteStream saved;
  ASSERT_EQ(document->SaveToStream(&saved), framework::kOk);
  document->Release();

  document =
      Create<framework::XmlDocument>(framework::kXmlDocumentClassId, framework::kXmlDocumentId);
  MemoryByteStream reread(saved.bytes());
  ASSERT_EQ(document->LoadFromStream(&reread), framework::kOk);
  ASSERT_EQ(document->GetDocumentElement(&top), framework::kOk);
  ASSERT_EQ(top->GetChild("uninstalllog", 0, &log), framework::kOk);
  ASSERT_EQ(log->GetChild("PACKAGES", 0, &packages), framework::kOk);
  EXPECT_EQ(packages->CountChildrenWithAttribute("package", "id", L"designer \u00c9"), 0);
  EXPECT_EQ(packages->CountChildrenWithAttribute("package", "id", L"DESIGNER \u00e9"), 1);
  packages->Release();
  log->Release();
  top->Release();
  document->Release();
}

TEST_F(OxuFrameworkDlls, ScriptRunFromTheWorkerReachesTheGuiThreadWithoutWaiting) {
  CallRecorder::Instance().Clear();
  bool containerGone = false;
  auto* container = new TestContainer(&containerGone);
  auto* inner =
      Create<framework::Object>(framework::kScriptClassId, framework::kScriptObjectId, container);
  ASSERT_NE(inner, nullptr);
  container->Hold(inner);
  framework::ScriptObjectInterface* installer = nullptr;
  ASSERT_EQ(container->QueryInterface(framework::kScriptObjectInterfaceId,
                                      reinterpret_cast<void**>(&installer), 1),
            framework::kOk);
  installer->SetName(L"installer");
  installer->AddMethod(L"Echo", RecordingDispatcher, installer, container, 1);
  installer->Release();
  auto* engine =
      Create<framework::ScriptEngine>(framework::kScriptClassId, framework::kScriptEngineId);
  ASSERT_NE(engine, nullptr);
  ASSERT_EQ(engine->AddGlobalObject(container), framework::kOk);
  engine->Release();
  // The engine's table keeps the container; the final release comes when
  // planex unloads, while its inner objects' code is still there.
  container->Release();

  auto* context =
      Create<framework::ScriptContext>(framework::kScriptClassId, framework::kScriptContextId);
  ASSERT_NE(context, nullptr);
  auto* window = Create<framework::ScriptObjectInterface>(framework::kScriptClassId,
                                                          framework::kScriptObjectInterfaceId);
  window->SetName(L"install");
  ASSERT_EQ(context->AddNamedObject(L"install", window), framework::kOk);
  ASSERT_EQ(context->RunScript(L"function Done(p) { installer.Echo(p[0], p[1], this); }", nullptr,
                               nullptr),
            framework::kOk);

  std::thread worker([this, context] {
    framework::Object* target = nullptr;
    ASSERT_EQ(context->FindObject(L"install", &target), framework::kOk);
    auto* value = Create<framework::Value>(framework::kScriptClassId, framework::kValueId);
    auto* progress = Create<framework::Value>(framework::kScriptClassId, framework::kValueId);
    auto* arguments =
        Create<framework::ArgumentList>(framework::kScriptClassId, framework::kArgumentListId);
    progress->SetText(L"0.500000");
    value->AddTextMember(nullptr, L"installprogress");
    value->AddMember(nullptr, progress);
    value->SetName(L"params");
    arguments->Append(value);
    EXPECT_EQ(context->RunScript(L"Done.call(this, params)", target, arguments),
              framework::kRunQueued);
    arguments->Release();
    progress->Release();
    value->Release();
    target->Release();
  });
  worker.join();  // the worker never waited for this thread
  EXPECT_TRUE(CallRecorder::Instance().Calls().empty());
  ASSERT_TRUE(PumpUntil([] { return !CallRecorder::Instance().Calls().empty(); }));
  RecordedCall call = CallRecorder::Instance().Calls()[0];
  EXPECT_EQ(call.arguments,
            (std::vector<std::wstring>{L"installprogress", L"0.500000", L"install"}));
  EXPECT_EQ(call.thread, std::this_thread::get_id());
  EXPECT_EQ(call.context, container);

  window->Release();
  context->Release();
  EXPECT_FALSE(containerGone);
  registrar_->Shutdown();
  EXPECT_TRUE(containerGone);
}
