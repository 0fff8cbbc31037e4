// The registrar's registry over a platform double: files in memory and
// "libraries" that are factories of this test program.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/oxu/library_registry.h"
#include "framework/oxu/oxu_factory.h"

namespace {

std::vector<std::string> events;

// A minimal object so factories can hand out something real.
class Thing final : public framework::Object {
 public:
  explicit Thing(std::string maker) : maker(std::move(maker)) {}
  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid&, void**, int32_t) override {
    return framework::kNoInterface;
  }
  int32_t FRAMEWORK_CALL AddRef() override { return ++references; }
  int32_t FRAMEWORK_CALL Release() override {
    int32_t left = --references;
    if (left == 0) delete this;
    return left;
  }
  std::string maker;
  int32_t references = 1;
};

constexpr framework::Guid kFirstInterface = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
constexpr framework::Guid kSecondInterface = {2, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};

// Library "a" makes kScriptClassId/kFirstInterface, library "b"
// kScriptClassId/kSecondInterface and also kFirstInterface (never asked,
// because "a" answers first when registered first).
int32_t FRAMEWORK_CALL CreateA(const framework::Guid* classId, const framework::Guid* interfaceId,
                               void** object, framework::Object*) {
  events.push_back("a create");
  if (*classId != framework::kScriptClassId || *interfaceId != kFirstInterface) {
    return framework::kNoClass;
  }
  *object = new Thing("a");
  return framework::kOk;
}

int32_t FRAMEWORK_CALL CreateB(const framework::Guid* classId, const framework::Guid* interfaceId,
                               void** object, framework::Object*) {
  events.push_back("b create");
  if (*classId != framework::kScriptClassId ||
      (*interfaceId != kSecondInterface && *interfaceId != kFirstInterface)) {
    return framework::kNoClass;
  }
  *object = new Thing("b");
  return framework::kOk;
}

int32_t FRAMEWORK_CALL AttachA(int32_t reason) {
  events.push_back(reason == 1 ? "a attach" : "a detach");
  return 1;
}

int32_t FRAMEWORK_CALL AttachRefusing(int32_t reason) {
  events.push_back(reason == 1 ? "refusing attach" : "refusing detach");
  return reason == 1 ? 0 : 1;
}

framework::CreateInstanceFunction connected = nullptr;
void FRAMEWORK_CALL ConnectA(framework::CreateInstanceFunction factory) { connected = factory; }

class FakePlatform final : public OxuPlatform {
 public:
  std::wstring RegistrationsPath() override { return registrations_path; }
  bool ReadWholeFile(const std::wstring& path, std::string* contents) override {
    auto found = files.find(path);
    if (found == files.end()) return false;
    *contents = found->second;
    return true;
  }
  bool ReplaceWholeFile(const std::wstring& path, const std::string& contents) override {
    if (refuse_writes) return false;
    files[path] = contents;
    return true;
  }
  bool Load(const std::wstring& path, LoadedLibrary* library) override {
    auto found = libraries.find(path);
    if (found == libraries.end()) return false;
    *library = found->second;
    library->module = reinterpret_cast<void*>(static_cast<uintptr_t>(++loads));
    loaded.push_back(path);
    return true;
  }
  void Unload(const LoadedLibrary&) override { events.push_back("unload"); }

  std::wstring registrations_path = L"C:\\Temp\\trvxtmp~0\\oxulib.conf";
  std::map<std::wstring, std::string> files;
  std::map<std::wstring, LoadedLibrary> libraries;
  std::vector<std::wstring> loaded;
  bool refuse_writes = false;
  int loads = 0;
};

constexpr wchar_t kA[] = L"C:\\Temp\\trvxtmp~0\\a.dll";
constexpr wchar_t kB[] = L"C:\\Temp\\trvxtmp~0\\b.dll";

class OxuLibraryRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    events.clear();
    connected = nullptr;
    platform.libraries[kA] = {nullptr, CreateA, AttachA, ConnectA};
    platform.libraries[kB] = {nullptr, CreateB, nullptr, nullptr};
    platform.libraries[L"C:\\refusing.dll"] = {nullptr, CreateB, AttachRefusing, nullptr};
    platform.libraries[L"C:\\no-factory.dll"] = {nullptr, nullptr, nullptr, nullptr};
  }

  // Creates (class, interface) and returns the maker's name, or "" on failure.
  std::string MakerOf(LibraryRegistry& registry, const framework::Guid& interfaceId,
                      int32_t* result = nullptr) {
    void* object = reinterpret_cast<void*>(1);
    int32_t made =
        registry.CreateInstance(&framework::kScriptClassId, &interfaceId, &object, nullptr);
    if (result != nullptr) *result = made;
    if (object == nullptr) return "";
    Thing* thing = static_cast<Thing*>(static_cast<framework::Object*>(object));
    std::string maker = thing->maker;
    thing->Release();
    return maker;
  }

  FakePlatform platform;
};

}  // namespace

TEST_F(OxuLibraryRegistry, RegisteredLibrariesAreAskedInRegistrationOrder) {
  LibraryRegistry registry(platform);
  registry.SetConnectFactory(CreateA);
  EXPECT_EQ(registry.Initialize(), 1);
  EXPECT_EQ(registry.Initialize(), 0);
  EXPECT_EQ(registry.Register(framework::kRegisterLibrary, kA, 0, nullptr), framework::kOk);
  EXPECT_EQ(registry.Register(framework::kRegisterLibrary, kB, 0, nullptr), framework::kOk);
  // Loaded (attached, connected) when registered.
  EXPECT_EQ(platform.loaded, (std::vector<std::wstring>{kA, kB}));
  EXPECT_EQ(connected, CreateA);

  EXPECT_EQ(MakerOf(registry, kFirstInterface), "a");
  events.clear();
  EXPECT_EQ(MakerOf(registry, kSecondInterface), "b");
  EXPECT_EQ(events, (std::vector<std::string>{"a create", "b create"}));

  int32_t result = 0;
  constexpr framework::Guid kUnknown = {9, 9, 9, {9, 9, 9, 9, 9, 9, 9, 9}};
  EXPECT_EQ(MakerOf(registry, kUnknown, &result), "");
  EXPECT_EQ(result, framework::kNoClass);

  events.clear();
  EXPECT_EQ(registry.Shutdown(), framework::kOk);
  // Last registered first; a's DLLAttach(-1) comes before its unload.
  EXPECT_EQ(events, (std::vector<std::string>{"unload", "a detach", "unload"}));
  EXPECT_EQ(registry.Initialize(), 1);
}

TEST_F(OxuLibraryRegistry, RegistrationsPersistAndAreLoadedOnlyWhenNeeded) {
  {
    LibraryRegistry first(platform);
    ASSERT_EQ(first.Register(framework::kRegisterLibrary, kA, 3, L"C:\\models"), framework::kOk);
    ASSERT_EQ(first.Register(framework::kRegisterLibrary, kB, 0, nullptr), framework::kOk);
    // The same file in another case and with "/" updates the entry.
    ASSERT_EQ(first.Register(framework::kRegisterLibrary, L"c:/temp/TRVXTMP~0/A.DLL", 4, nullptr),
              framework::kOk);
    first.Shutdown();
  }
  platform.loaded.clear();
  LibraryRegistry second(platform);
  EXPECT_EQ(second.Initialize(), 1);
  std::vector<Registration> registrations = second.Registrations();
  ASSERT_EQ(registrations.size(), 2u);
  EXPECT_EQ(registrations[0].path, kA);
  EXPECT_EQ(registrations[0].kind, 4);
  EXPECT_EQ(registrations[0].model_directory, L"");
  EXPECT_TRUE(platform.loaded.empty());
  EXPECT_EQ(MakerOf(second, kSecondInterface), "b");
  EXPECT_EQ(platform.loaded, (std::vector<std::wstring>{kA, kB}));
  second.Shutdown();
}

TEST_F(OxuLibraryRegistry, RefusedRegistrationsLeaveNothingBehind) {
  LibraryRegistry registry(platform);
  struct Case {
    int32_t mode;
    const wchar_t* path;
  } refused[] = {
      {framework::kRegisterLibrary, nullptr},
      {framework::kRegisterLibrary, L"a.dll"},               // would be searched for
      {framework::kRegisterLibrary, L".\\a.dll"},            // relative
      {framework::kRegisterLibrary, L"C:\\missing.dll"},     // does not load
      {framework::kRegisterLibrary, L"C:\\no-factory.dll"},  // no TCreateInstance
      {framework::kRegisterLibrary, L"C:\\refusing.dll"},    // DLLAttach says 0
      {framework::kRegisterLibrary, L"C:\\tab\tin.dll"},
      {7, kA},                              // no such mode
      {framework::kUnregisterLibrary, kB},  // not registered
  };
  for (const Case& c : refused) {
    EXPECT_NE(registry.Register(c.mode, c.path, 0, nullptr), framework::kOk)
        << (c.path ? std::string(c.path, c.path + wcslen(c.path)) : "null");
  }
  EXPECT_TRUE(registry.Registrations().empty());
  EXPECT_TRUE(platform.files.empty());

  // A file that cannot be written: the registration is undone.
  platform.refuse_writes = true;
  EXPECT_EQ(registry.Register(framework::kRegisterLibrary, kA, 0, nullptr), framework::kFailed);
  EXPECT_TRUE(registry.Registrations().empty());
  registry.Shutdown();
}

TEST_F(OxuLibraryRegistry, UnregisteredLibrariesStayLoadedUntilShutdown) {
  LibraryRegistry registry(platform);
  ASSERT_EQ(registry.Register(framework::kRegisterLibrary, kA, 0, nullptr), framework::kOk);
  ASSERT_EQ(registry.Register(framework::kRegisterLibrary, kB, 0, nullptr), framework::kOk);
  events.clear();
  EXPECT_EQ(registry.Register(framework::kUnregisterLibrary, kA, 0, nullptr), framework::kOk);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(MakerOf(registry, kFirstInterface), "b");
  EXPECT_EQ(RegistrationFile::Parse(platform.files[platform.registrations_path]).size(), 1u);
  events.clear();
  registry.Shutdown();
  EXPECT_EQ(events, (std::vector<std::string>{"unload", "a detach", "unload"}));
}

TEST_F(OxuLibraryRegistry, FactoryMakesRegistrarsThatShareTheRegistry) {
  LibraryRegistry registry(platform);
  framework::Registrar* first = nullptr;
  framework::Registrar* second = nullptr;
  ASSERT_EQ(CreateOxuInstance(registry, &framework::kRegistrarClassId, &framework::kRegistrarId,
                              reinterpret_cast<void**>(&first), nullptr),
            framework::kOk);
  ASSERT_EQ(CreateOxuInstance(registry, &framework::kRegistrarClassId, &framework::kRegistrarId,
                              reinterpret_cast<void**>(&second), nullptr),
            framework::kOk);
  EXPECT_EQ(first->Initialize(), 1);
  EXPECT_EQ(second->Initialize(), 0);
  EXPECT_EQ(second->Register(framework::kRegisterLibrary, kA, 0, nullptr), framework::kOk);
  EXPECT_EQ(MakerOf(registry, kFirstInterface), "a");
  EXPECT_EQ(first->Shutdown(), framework::kOk);
  EXPECT_EQ(second->Initialize(), 1);
  EXPECT_EQ(first->Release(), 0);
  EXPECT_EQ(second->Release(), 0);

  void* object = reinterpret_cast<void*>(1);
  constexpr framework::Guid kOther = {7, 7, 7, {7, 7, 7, 7, 7, 7, 7, 7}};
  EXPECT_EQ(CreateOxuInstance(registry, &framework::kRegistrarClassId, &kOther, &object, nullptr),
            framework::kNoInterface);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(CreateOxuInstance(registry, nullptr, &kOther, &object, nullptr), framework::kFailed);
  registry.Shutdown();
}
