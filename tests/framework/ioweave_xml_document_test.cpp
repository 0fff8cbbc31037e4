// The XML document and its elements through the stream interface.
#include <gtest/gtest.h>

#include <string>

#include "framework/ioweave/ioweave_factory.h"
#include "tests/framework/memory_byte_stream.h"

namespace {

// Owns one reference of a framework object for the length of a test.
template <typename T>
class Held {
 public:
  Held() = default;
  explicit Held(T* object) : object_(object) {}
  ~Held() { reset(); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  void reset() {
    if (object_ != nullptr) object_->Release();
    object_ = nullptr;
  }
  T** out() {
    reset();
    return &object_;
  }
  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};

framework::XmlDocument* NewDocument() {
  void* object = nullptr;
  if (CreateIoweaveInstance(&framework::kXmlDocumentClassId, &framework::kXmlDocumentId, &object,
                            nullptr) != framework::kOk) {
    return nullptr;
  }
  return static_cast<framework::XmlDocument*>(object);
}

std::string Saved(framework::XmlDocument* document) {
  MemoryByteStream stream;
  EXPECT_EQ(document->SaveToStream(&stream), framework::kOk);
  return stream.bytes();
}

framework::XmlElement* Child(framework::XmlElement* parent, const char* name, int index = 0) {
  framework::XmlElement* child = nullptr;
  parent->GetChild(name, index, &child);
  return child;
}

std::wstring Text(framework::XmlElement* element, const char* name) {
  const wchar_t* text = element->GetAttributeText(name);
  return text != nullptr ? text : L"<absent>";
}

constexpr char kLog[] =
    "<?xml version=\"1.0\"?>\n"
    "<UninstallLog>\n"
    "  <packages>\n"
    "    <package name=\"Skin designer\" ID=\"designer\">\n"
    "      <file path=\"C:\\Apps\\Corvana2\\CORVANA2.EXE\" OxuRegister=\"true\"/>\n"
    "      <dir path=\"C:\\Apps\\Corvana2\"/>\n"
    "    </package>\n"
    "    <PACKAGE name=\"Documents\" ID=\"Docs\"/>\n"
    "  </packages>\n"
    "  <files><file path=\"C:\\shared.dll\" RefCount=\"2\"/></files>\n"
    "</UninstallLog>\n";

}  // namespace

TEST(IoweaveXmlDocument, FactoryMakesOnlyTheDocument) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateIoweaveInstance(&framework::kScriptClassId, &framework::kXmlDocumentId, &object,
                                  nullptr),
            framework::kNoClass);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(CreateIoweaveInstance(&framework::kXmlDocumentClassId, &framework::kValueId, &object,
                                  nullptr),
            framework::kNoClass);
  Held<framework::XmlDocument> document(NewDocument());
  ASSERT_TRUE(document);
  void* asked = nullptr;
  EXPECT_EQ(document->QueryInterface(framework::kXmlElementId, &asked, 1), framework::kNoInterface);
  EXPECT_EQ(asked, nullptr);
}

TEST(IoweaveXmlDocument, DocumentElementIsTheDocumentNodeAboveTheLog) {
  Held<framework::XmlDocument> document(NewDocument());
  MemoryByteStream stream(kLog);
  ASSERT_EQ(document->LoadFromStream(&stream), framework::kOk);
  Held<framework::XmlElement> top;
  ASSERT_EQ(document->GetDocumentElement(top.out()), framework::kOk);
  EXPECT_EQ(top->CountChildren("uninstalllog"), 1);
  EXPECT_EQ(top->SetAttribute("x", L"1"), framework::kFailed);

  Held<framework::XmlElement> log(Child(top.get(), "UNINSTALLLOG"));
  ASSERT_TRUE(log);
  Held<framework::XmlElement> packages(Child(log.get(), "Packages"));
  ASSERT_TRUE(packages);
  EXPECT_EQ(packages->CountChildren("package"), 2);
  EXPECT_EQ(packages->CountChildren(nullptr), 2);
  EXPECT_EQ(packages->CountChildrenWithAttribute("package", "id", L"DOCS"), 1);
  EXPECT_EQ(packages->CountChildrenWithAttribute("package", "ID", nullptr), 2);
  EXPECT_EQ(packages->CountChildrenWithAttribute("package", "ID", L"none"), 0);

  Held<framework::XmlElement> docs;
  ASSERT_EQ(packages->GetChildWithAttribute("package", "ID", L"docs", 0, docs.out()),
            framework::kOk);
  EXPECT_EQ(Text(docs.get(), "name"), L"Documents");
  Held<framework::XmlElement> missing;
  EXPECT_EQ(packages->GetChildWithAttribute("package", "ID", L"docs", 1, missing.out()),
            framework::kFailed);
  EXPECT_FALSE(missing);
  EXPECT_EQ(packages->GetChild("package", 2, missing.out()), framework::kFailed);
  EXPECT_EQ(packages->GetChild("package", -1, missing.out()), framework::kFailed);

  Held<framework::XmlElement> designer(Child(packages.get(), "package", 0));
  Held<framework::XmlElement> file(Child(designer.get(), "FILE"));
  EXPECT_EQ(Text(file.get(), "PATH"), L"C:\\Apps\\Corvana2\\CORVANA2.EXE");
  EXPECT_EQ(file->GetAttributeBool("oxuregister", 0), 1);
  EXPECT_EQ(file->HasAttribute("missing"), 0);
  EXPECT_EQ(Text(file.get(), "missing"), L"<absent>");
}

TEST(IoweaveXmlDocument, LogBuiltUnderTheDocumentNodeSavesAndReadsBack) {
  Held<framework::XmlDocument> document(NewDocument());
  MemoryByteStream empty;
  ASSERT_EQ(document->LoadFromStream(&empty), framework::kOk);
  Held<framework::XmlElement> top;
  ASSERT_EQ(document->GetDocumentElement(top.out()), framework::kOk);
  EXPECT_EQ(top->CountChildren("UninstallLog"), 0);
  Held<framework::XmlElement> log, packages, package, file;
  ASSERT_EQ(top->AppendChild("UninstallLog", log.out()), framework::kOk);
  ASSERT_EQ(log->AppendChild("packages", packages.out()), framework::kOk);
  ASSERT_EQ(log->AppendChild("files", nullptr), framework::kOk);
  ASSERT_EQ(packages->AppendChild("package", package.out()), framework::kOk);
  ASSERT_EQ(package->SetAttribute("name", L"Caf\u00e9 <&> \"\U0001F600\""), framework::kOk);
  ASSERT_EQ(package->SetAttribute("ID", L"designer"), framework::kOk);
  ASSERT_EQ(package->SetAttribute("id", L"renamed"), framework::kOk);  // same attribute
  ASSERT_EQ(package->AppendChild("file", file.out()), framework::kOk);
  ASSERT_EQ(file->SetAttribute("RefCount", L"0x1F"), framework::kOk);

  std::string bytes = Saved(document.get());
  EXPECT_EQ(bytes.compare(0, 5, "<?xml"), 0);

  Held<framework::XmlDocument> reread(NewDocument());
  MemoryByteStream stream(bytes);
  ASSERT_EQ(reread->LoadFromStream(&stream), framework::kOk);
  Held<framework::XmlElement> rereadTop;
  ASSERT_EQ(reread->GetDocumentElement(rereadTop.out()), framework::kOk);
  EXPECT_EQ(rereadTop->CountChildren(nullptr), 1);
  Held<framework::XmlElement> rereadLog(Child(rereadTop.get(), "uninstalllog"));
  Held<framework::XmlElement> rereadPackages(Child(rereadLog.get(), "packages"));
  EXPECT_EQ(rereadLog->CountChildren("files"), 1);
  Held<framework::XmlElement> rereadPackage(Child(rereadPackages.get(), "package"));
  ASSERT_TRUE(rereadPackage);
  EXPECT_EQ(Text(rereadPackage.get(), "name"), L"Caf\u00e9 <&> \"\U0001F600\"");
  EXPECT_EQ(Text(rereadPackage.get(), "ID"), L"renamed");
  Held<framework::XmlElement> rereadFile(Child(rereadPackage.get(), "file"));
  EXPECT_EQ(rereadFile->GetAttributeInt("refcount"), 31);
}

TEST(IoweaveXmlDocument, EmptyStreamIsAnEmptyDocumentButDamagedTextIsAnError) {
  struct Case {
    const char* bytes;
    int32_t result;
  } cases[] = {
      {"", framework::kOk},
      {" \r\n\t ", framework::kOk},
      {"<a><b/></a>", framework::kOk},
      {"\xEF\xBB\xBF<a/>", framework::kOk},  // UTF-8 byte order mark
      {"<a><b></a>", framework::kFailed},
      {"not xml at all", framework::kFailed},
      {"<a attr=\"1></a>", framework::kFailed},
  };
  for (const Case& c : cases) {
    Held<framework::XmlDocument> document(NewDocument());
    MemoryByteStream stream(c.bytes);
    EXPECT_EQ(document->LoadFromStream(&stream), c.result) << c.bytes;
    Held<framework::XmlElement> top;
    ASSERT_EQ(document->GetDocumentElement(top.out()), framework::kOk);
    // A failed load leaves an empty document, never half of one.
    if (c.result != framework::kOk) EXPECT_EQ(top->CountChildren(nullptr), 0) << c.bytes;
  }
  Held<framework::XmlDocument> document(NewDocument());
  // What an empty document writes reads back as an empty document.
  EXPECT_EQ(Saved(document.get()), "");
  EXPECT_EQ(document->LoadFromStream(nullptr), framework::kFailed);
  EXPECT_EQ(document->SaveToStream(nullptr), framework::kFailed);
}

TEST(IoweaveXmlDocument, DeeplyNestedDocumentsAreRefused) {
  // `levels` nested "a" elements, each with an empty "b" before the next
  // "a": levels + 1 elements deep.
  auto nested = [](int levels) {
    std::string text;
    for (int i = 0; i < levels; ++i) text += "<a><b/>";
    for (int i = 0; i < levels; ++i) text += "</a>";
    return text;
  };
  struct Case {
    int levels;
    int32_t result;
  } cases[] = {{1, framework::kOk},
               {255, framework::kOk},
               {256, framework::kFailed},
               {100000, framework::kFailed}};
  for (const Case& c : cases) {
    Held<framework::XmlDocument> document(NewDocument());
    MemoryByteStream stream(nested(c.levels));
    EXPECT_EQ(document->LoadFromStream(&stream), c.result) << c.levels;
  }
}

TEST(IoweaveXmlDocument, LoadingReadsFromTheStreamPositionOn) {
  Held<framework::XmlDocument> document(NewDocument());
  MemoryByteStream stream("garbage<a x=\"1\"/>");
  stream.Seek(7, framework::ByteStream::kFromStart);
  ASSERT_EQ(document->LoadFromStream(&stream), framework::kOk);
  Held<framework::XmlElement> top;
  document->GetDocumentElement(top.out());
  Held<framework::XmlElement> a(Child(top.get(), "a"));
  ASSERT_TRUE(a);
  EXPECT_EQ(a->GetAttributeInt("x"), 1);
}

TEST(IoweaveXmlDocument, ShortWriteIsAFailedSave) {
  Held<framework::XmlDocument> document(NewDocument());
  MemoryByteStream source(kLog);
  ASSERT_EQ(document->LoadFromStream(&source), framework::kOk);
  MemoryByteStream full;
  full.set_write_limit(40);
  EXPECT_EQ(document->SaveToStream(&full), framework::kFailed);
}

TEST(IoweaveXmlDocument, StreamIsBorrowedForOneCallOnly) {
  Held<framework::XmlDocument> document(NewDocument());
  int callsDuringLoad = 0;
  {
    MemoryByteStream stream(kLog);
    ASSERT_EQ(document->LoadFromStream(&stream), framework::kOk);
    callsDuringLoad = stream.calls();
    MemoryByteStream out;
    ASSERT_EQ(document->SaveToStream(&out), framework::kOk);
    EXPECT_GT(callsDuringLoad, 0);
    EXPECT_EQ(stream.calls(), callsDuringLoad);  // saving did not touch the load stream
  }
  // Both streams are gone; the document still works (under ASan a kept
  // pointer would be a use after free here).
  Held<framework::XmlElement> top;
  ASSERT_EQ(document->GetDocumentElement(top.out()), framework::kOk);
  EXPECT_EQ(top->CountChildren("UninstallLog"), 1);
  EXPECT_FALSE(Saved(document.get()).empty());
}

TEST(IoweaveXmlDocument, ElementsKeepTheDocumentAliveAndGoStaleOnReload) {
  framework::XmlDocument* document = NewDocument();
  MemoryByteStream stream(kLog);
  ASSERT_EQ(document->LoadFromStream(&stream), framework::kOk);
  Held<framework::XmlElement> top;
  ASSERT_EQ(document->GetDocumentElement(top.out()), framework::kOk);
  Held<framework::XmlElement> log(Child(top.get(), "UninstallLog"));
  Held<framework::XmlElement> packages(Child(log.get(), "packages"));

  MemoryByteStream other("<other/>");
  ASSERT_EQ(document->LoadFromStream(&other), framework::kOk);
  // The old elements answer nothing instead of reaching freed nodes.
  EXPECT_EQ(packages->CountChildren("package"), 0);
  EXPECT_EQ(packages->AppendChild("package", nullptr), framework::kFailed);
  EXPECT_EQ(packages->GetAttributeText("x"), nullptr);
  EXPECT_EQ(top->CountChildren("other"), 0);

  // top, log and packages each hold the document; it goes with the last.
  EXPECT_EQ(document->Release(), 3);
  EXPECT_EQ(log->CountChildren(nullptr), 0);
}

TEST(IoweaveXmlDocument, AttributeTextStaysValidUntilThatAttributeChanges) {
  Held<framework::XmlDocument> document(NewDocument());
  MemoryByteStream stream("<a first=\"one\" second=\"two\"/>");
  ASSERT_EQ(document->LoadFromStream(&stream), framework::kOk);
  Held<framework::XmlElement> top;
  document->GetDocumentElement(top.out());
  Held<framework::XmlElement> a(Child(top.get(), "a"));
  const wchar_t* first = a->GetAttributeText("first");
  EXPECT_EQ(a->GetAttributeText("FIRST"), first);
  EXPECT_EQ(a->SetAttribute("second", L"changed"), framework::kOk);
  EXPECT_EQ(std::wstring(first), L"one");
  EXPECT_EQ(std::wstring(a->GetAttributeText("second")), L"changed");
  EXPECT_EQ(a->RemoveAttribute("First"), framework::kOk);
  EXPECT_EQ(a->HasAttribute("first"), 0);
  EXPECT_EQ(a->RemoveAttribute("first"), framework::kFailed);
}

TEST(IoweaveXmlDocument, NumbersBooleansAndNamesFollowTheirRules) {
  Held<framework::XmlDocument> document(NewDocument());
  MemoryByteStream stream(
      "<a dec=\"42\" neg=\"-7\" hex=\"0x10\" upper=\"0X10\" junk=\"abc\" lead=\"12abc\" empty=\"\" "
      "big=\"99999999999\" t=\"true\" y=\"Yes\" one=\"1\" f=\"false\" n=\"no\" z=\"0\" "
      "odd=\"maybe\"/>");
  ASSERT_EQ(document->LoadFromStream(&stream), framework::kOk);
  Held<framework::XmlElement> top;
  document->GetDocumentElement(top.out());
  Held<framework::XmlElement> a(Child(top.get(), "a"));
  struct IntCase {
    const char* name;
    int32_t value;
  } integers[] = {{"dec", 42},  {"neg", -7},  {"hex", 16},         {"upper", 0}, {"junk", 0},
                  {"lead", 12}, {"empty", 0}, {"big", 2147483647}, {"absent", 0}};
  for (const IntCase& c : integers) EXPECT_EQ(a->GetAttributeInt(c.name), c.value) << c.name;
  struct BoolCase {
    const char* name;
    int32_t value;
  } booleans[] = {{"t", 1}, {"y", 1},   {"one", 1},   {"f", 0},     {"n", 0},
                  {"z", 0}, {"odd", 7}, {"empty", 7}, {"absent", 7}};
  for (const BoolCase& c : booleans) EXPECT_EQ(a->GetAttributeBool(c.name, 7), c.value) << c.name;

  for (const char* bad : {"", "1abc", "a b", "a<b", "-a", "a\"b"}) {
    EXPECT_EQ(a->AppendChild(bad, nullptr), framework::kFailed) << bad;
    EXPECT_EQ(a->SetAttribute(bad, L"v"), framework::kFailed) << bad;
  }
  EXPECT_EQ(a->AppendChild(nullptr, nullptr), framework::kFailed);
  EXPECT_EQ(a->SetAttribute("ok", nullptr), framework::kFailed);
  EXPECT_EQ(a->AppendChild("ns:child.name-2", nullptr), framework::kOk);
}
