// Fuzz target for the framework's XML document: loading any bytes through the
// stream interface, walking what loaded the way the installer's lookups do,
// and checking that what it saves loads again with the same shape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/ioweave/ioweave_factory.h"
#include "tests/framework/memory_byte_stream.h"

namespace {

framework::XmlDocument* NewDocument() {
  void* object = nullptr;
  CreateIoweaveInstance(&framework::kXmlDocumentClassId, &framework::kXmlDocumentId, &object,
                        nullptr);
  if (object == nullptr) std::abort();
  return static_cast<framework::XmlDocument*>(object);
}

// Counts the elements below `element` (at most a few levels deep), touching
// the attribute lookups on the way.
int Walk(framework::XmlElement* element, int depth) {
  int total = 0;
  int32_t count = element->CountChildren(nullptr);
  for (int32_t i = 0; i < count && i < 64; ++i) {
    framework::XmlElement* child = nullptr;
    if (element->GetChild(nullptr, i, &child) != framework::kOk || child == nullptr) std::abort();
    ++total;
    const wchar_t* path = child->GetAttributeText("path");
    child->GetAttributeInt("RefCount");
    child->GetAttributeBool("OxuRegister", 0);
    if (path != nullptr) {
      child->CountChildrenWithAttribute(nullptr, "path", path);
    }
    if (depth < 8) total += Walk(child, depth + 1);
    child->Release();
  }
  return total;
}

int Shape(framework::XmlDocument* document) {
  framework::XmlElement* top = nullptr;
  if (document->GetDocumentElement(&top) != framework::kOk) std::abort();
  int elements = Walk(top, 0);
  top->Release();
  return elements;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  framework::XmlDocument* document = NewDocument();
  MemoryByteStream input(std::string(reinterpret_cast<const char*>(data), size));
  if (document->LoadFromStream(&input) == framework::kOk) {
    int shape = Shape(document);
    MemoryByteStream saved;
    if (document->SaveToStream(&saved) != framework::kOk) std::abort();
    framework::XmlDocument* reread = NewDocument();
    MemoryByteStream again(saved.bytes());
    // What the document writes must read back, as the uninstall log is
    // loaded, extended and saved run after run.
    if (reread->LoadFromStream(&again) != framework::kOk || Shape(reread) != shape) std::abort();
    reread->Release();
  }
  document->Release();
  return 0;
}
