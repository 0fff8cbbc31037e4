#include "setup/registry_writer_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "setup/config_element.h"
#include "setup/framework_ref.h"
#include "setup/system_services.h"
#include "tests/setup/install_fixtures.h"

namespace {

using config_element::AnsiAttribute;

// A log document with its package entry and shared items, as OpenLog gives them.
class LogElements {
 public:
  LogElements() {
    install_test::IoweaveFactory factory;
    factory.CreateInstance(framework::kXmlDocumentClassId, framework::kXmlDocumentId,
                           document_.OutVoid(), nullptr);
    FrameworkRef<framework::XmlElement> root;
    document_->GetDocumentElement(root.Out());
    root->AppendChild("package", package_.Out());
    root->AppendChild("files", files_.Out());
  }
  framework::XmlElement* package() const { return package_.get(); }
  framework::XmlElement* files() const { return files_.get(); }

 private:
  FrameworkRef<framework::XmlDocument> document_;
  FrameworkRef<framework::XmlElement> package_;
  FrameworkRef<framework::XmlElement> files_;
};

std::string ReadString(HKEY root, const std::string& key, const char* name) {
  wchar_t value[256] = L"";
  DWORD size = sizeof(value);
  DWORD type = 0;
  const std::wstring wideKey(key.begin(), key.end());
  const std::wstring wideName = name != nullptr ? std::wstring(name, name + strlen(name)) : L"";
  if (RegGetValueW(root, wideKey.c_str(), name != nullptr ? wideName.c_str() : nullptr, RRF_RT_ANY,
                   &type, value, &size) != ERROR_SUCCESS) {
    return "<missing>";
  }
  if (type == REG_BINARY) {
    std::string bytes;
    for (DWORD i = 0; i < size; ++i)
      bytes += std::to_string(reinterpret_cast<BYTE*>(value)[i]) + " ";
    return bytes;
  }
  std::wstring text(value);
  return std::string(text.begin(), text.end());
}

class RegistryWriterTest : public ::testing::Test {
 protected:
  RegistryWriterTest()
      : key_("Software\\QorvaInstallTest\\" + std::to_string(GetCurrentProcessId())) {}
  ~RegistryWriterTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }

  int32_t Write(const LogElements* logs, const char* name, const char* text, bool shared = false,
                std::string* message = nullptr) {
    RegistryWriteRequest request;
    request.root = "HKCU";
    request.key_path = key_;
    request.has_value_name = name != nullptr;
    if (name != nullptr) request.value_name = name;
    request.has_data = text != nullptr;
    if (text != nullptr) request.text = text;
    if (logs != nullptr) {
      request.package_log = logs->package();
      if (shared) request.files_log = logs->files();
    }
    const int32_t result = registry_writer::WriteRegistryEntry(request);
    if (message != nullptr) *message = request.message;
    return result;
  }

  std::string key_;
};

TEST_F(RegistryWriterTest, AKeyWithoutValueIsCreatedAndLoggedOnce) {
  LogElements logs;
  std::string message;
  EXPECT_EQ(0, Write(&logs, nullptr, nullptr, false, &message));
  EXPECT_EQ("Success.", message);
  EXPECT_EQ(0, Write(&logs, nullptr, nullptr));
  ASSERT_EQ(1, logs.package()->CountChildren("WinRegister"));
  FrameworkRef<framework::XmlElement> entry =
      config_element::Child(logs.package(), "WinRegister", 0);
  EXPECT_EQ("HKCU", AnsiAttribute(entry.get(), "root"));
  EXPECT_EQ(key_, AnsiAttribute(entry.get(), "dest"));
  EXPECT_FALSE(config_element::HasAttribute(entry.get(), "key"));
  EXPECT_EQ("true", AnsiAttribute(entry.get(), "created"));
  // A named value under the same key path is a write of its own; the key existed.
  EXPECT_EQ(0, Write(&logs, "Name", "v"));
  ASSERT_EQ(2, logs.package()->CountChildren("WinRegister"));
  EXPECT_EQ("false", AnsiAttribute(config_element::Child(logs.package(), "WinRegister", 1).get(),
                                   "created"));
}

TEST_F(RegistryWriterTest, OnlyTheFirstReplacedValueIsBackedUp) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr));
  RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>("old"), 4);
  RegSetValueExA(key, "Other", 0, REG_SZ, reinterpret_cast<const BYTE*>("o1"), 3);
  RegCloseKey(key);
  LogElements first, second;
  EXPECT_EQ(0, Write(&first, "Path", "new \xE9"));
  EXPECT_EQ(0, Write(&second, "Path", "newer"));
  EXPECT_EQ(0, Write(&second, "Other", "o2"));
  const std::string backup = key_ + "\\TervixUIPrev";
  EXPECT_EQ("old", ReadString(HKEY_CURRENT_USER, backup, "Path"));
  EXPECT_EQ("<missing>", ReadString(HKEY_CURRENT_USER, backup, "Other"));
  EXPECT_EQ("newer", ReadString(HKEY_CURRENT_USER, key_, "Path"));
  // Without a log nothing is backed up or recorded.
  RegDeleteTreeA(HKEY_CURRENT_USER, backup.c_str());
  EXPECT_EQ(0, Write(nullptr, "Path", "plain"));
  EXPECT_EQ("<missing>", ReadString(HKEY_CURRENT_USER, backup, "Path"));
}

TEST_F(RegistryWriterTest, StringsAreStoredAsWideText) {
  LogElements logs;
  EXPECT_EQ(0, Write(&logs, "Wide", "caf\xE9"));
  wchar_t value[16] = L"";
  DWORD size = sizeof(value);
  const std::wstring wideKey(key_.begin(), key_.end());
  ASSERT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, wideKey.c_str(), L"Wide", RRF_RT_REG_SZ,
                                        nullptr, value, &size));
  EXPECT_EQ(std::wstring(L"caf\u00E9"), value);
  EXPECT_EQ(5 * sizeof(wchar_t), size);
}

TEST_F(RegistryWriterTest, SharedWritesAreCountedOncePerPackage) {
  LogElements a, b;
  // Both packages share the first one's "files" element, as in one log.
  RegistryWriteRequest request;
  auto write = [&](framework::XmlElement* package) {
    request = RegistryWriteRequest();
    request.root = "HKEY_CURRENT_USER";
    request.key_path = key_;
    request.has_value_name = true;
    request.value_name = "Shared";
    request.has_data = true;
    request.text = "1";
    request.package_log = package;
    request.files_log = a.files();
    return registry_writer::WriteRegistryEntry(request);
  };
  EXPECT_EQ(0, write(a.package()));
  EXPECT_EQ(0, write(a.package()));
  EXPECT_EQ("1",
            AnsiAttribute(config_element::Child(a.files(), "WinRegister", 0).get(), "RefCount"));
  EXPECT_EQ(0, write(b.package()));
  EXPECT_EQ(1, a.files()->CountChildren("WinRegister"));
  EXPECT_EQ("2",
            AnsiAttribute(config_element::Child(a.files(), "WinRegister", 0).get(), "RefCount"));
}

TEST_F(RegistryWriterTest, AnUnknownRootIsRefused) {
  for (const char* root : {"hklm", "HKLM ", ""}) {
    RegistryWriteRequest request;
    request.root = root;
    request.key_path = key_;
    EXPECT_EQ(13, registry_writer::WriteRegistryEntry(request)) << root;
    EXPECT_EQ("Error : Unknown registry root.", request.message);
  }
}

TEST(RegisterFileType, WritesEveryKeyWithOpenAsTheDefaultVerb) {
  GetPlatformFacts();
  const std::string type = "QorvaTest.Type" + std::to_string(GetCurrentProcessId());
  const std::string extension = ".qt" + std::to_string(GetCurrentProcessId());
  LogElements logs;
  FileTypeRequest request;
  request.extension = extension;
  request.type_name = type;
  request.command = "C:\\q\\e.exe \"%1\"";
  request.description = "Qorva test file";
  request.has_dde = true;
  request.dde_format = "[open(\"%1\")]";
  request.dde_application = "QorvaEditor";
  request.package_log = logs.package();
  ASSERT_TRUE(registry_writer::RegisterFileType(request)) << request.message;
  EXPECT_EQ(type, ReadString(HKEY_CLASSES_ROOT, extension, nullptr));
  EXPECT_EQ("Qorva test file", ReadString(HKEY_CLASSES_ROOT, type, nullptr));
  EXPECT_EQ("0 0 1 0 ", ReadString(HKEY_CLASSES_ROOT, type, "EditFlags"));
  EXPECT_EQ(request.command, ReadString(HKEY_CLASSES_ROOT, type + "\\shell\\Open", nullptr));
  EXPECT_EQ(request.command,
            ReadString(HKEY_CLASSES_ROOT, type + "\\shell\\Open\\command", nullptr));
  EXPECT_EQ("[open(\"%1\")]",
            ReadString(HKEY_CLASSES_ROOT, type + "\\shell\\Open\\ddeexec", nullptr));
  EXPECT_EQ("QorvaEditor",
            ReadString(HKEY_CLASSES_ROOT, type + "\\shell\\Open\\ddeexec\\Application", nullptr));
  EXPECT_EQ("System",
            ReadString(HKEY_CLASSES_ROOT, type + "\\shell\\Open\\ddeexec\\Topic", nullptr));
  EXPECT_EQ("<missing>", ReadString(HKEY_CLASSES_ROOT, type + "\\DefaultIcon", nullptr));
  // extension, type, EditFlags, shell, verb, command and the three DDE keys.
  EXPECT_EQ(9, logs.package()->CountChildren("WinRegister"));
  RegDeleteTreeA(HKEY_CLASSES_ROOT, type.c_str());
  RegDeleteTreeA(HKEY_CLASSES_ROOT, extension.c_str());
}

}  // namespace
