#include "framework/ioweave/xml_document_object.h"

#include <string>

#include "framework/ioweave/stream_writer.h"
#include "framework/ioweave/xml_element_object.h"

namespace {

// Larger documents are refused rather than read into memory.
constexpr size_t kLargestDocument = 64u << 20;

// Everything from the stream's position to its end; false when it holds
// more than kLargestDocument bytes.
bool ReadRest(framework::ByteStream* stream, std::string* bytes) {
  bytes->clear();
  char chunk[64 * 1024];
  for (;;) {
    uint32_t read = stream->Read(chunk, sizeof(chunk));
    if (read == 0) return true;
    if (read > sizeof(chunk) || bytes->size() + read > kLargestDocument) return false;
    bytes->append(chunk, read);
  }
}

// Deeper documents are refused: every file the framework reads nests a few
// levels, and the indented output of a deep one grows with the square of its
// depth (a damaged file of a megabyte would save as gigabytes).
constexpr int kDeepestNesting = 256;

bool NestedDeeperThan(const pugi::xml_node& root, int limit) {
  int depth = 1;
  pugi::xml_node node = root.first_child();
  while (node) {
    if (depth > limit) return true;
    if (node.first_child()) {
      node = node.first_child();
      ++depth;
      continue;
    }
    while (node != root && !node.next_sibling()) {
      node = node.parent();
      --depth;
    }
    if (node == root) break;
    node = node.next_sibling();
  }
  return false;
}

bool OnlyWhitespace(const char* bytes, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    char c = bytes[i];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
  }
  return true;
}

}  // namespace

int32_t XmlDocumentObject::QueryInterface(const framework::Guid& interfaceId, void** object,
                                          int32_t addReference) {
  if (object == nullptr) return framework::kFailed;
  if (interfaceId != framework::kXmlDocumentId) {
    *object = nullptr;
    return framework::kNoInterface;
  }
  *object = static_cast<framework::XmlDocument*>(this);
  if (addReference) AddRef();
  return framework::kOk;
}

int32_t XmlDocumentObject::AddRef() { return ++references_; }

int32_t XmlDocumentObject::Release() {
  int32_t left = --references_;
  if (left == 0) delete this;
  return left;
}

int32_t XmlDocumentObject::LoadFromBytes(const void* bytes, size_t size) {
  ++generation_;
  document_.reset();
  // An empty file (a log created a moment ago) is an empty document; any
  // other text that does not parse is an error, so a damaged file is never
  // taken for an empty one and overwritten.
  if (size == 0 || OnlyWhitespace(static_cast<const char*>(bytes), size)) return framework::kOk;
  pugi::xml_parse_result parsed = document_.load_buffer(bytes, size, pugi::parse_default);
  if (!parsed || NestedDeeperThan(document_, kDeepestNesting)) {
    document_.reset();
    return framework::kFailed;
  }
  return framework::kOk;
}

int32_t XmlDocumentObject::LoadFromStream(framework::ByteStream* stream) {
  if (stream == nullptr) return framework::kFailed;
  std::string bytes;
  if (!ReadRest(stream, &bytes)) {
    ++generation_;
    document_.reset();
    return framework::kFailed;
  }
  return LoadFromBytes(bytes.data(), bytes.size());
}

int32_t XmlDocumentObject::SaveToStream(framework::ByteStream* stream) {
  if (stream == nullptr) return framework::kFailed;
  // An empty document is written as nothing at all: a lone declaration would
  // not read back (there is no element), while an empty stream loads as an
  // empty document.
  if (!document_.first_child()) return framework::kOk;
  StreamWriter writer(stream);
  document_.save(writer, "\t", pugi::format_default, pugi::encoding_utf8);
  return writer.complete() ? framework::kOk : framework::kFailed;
}

int32_t XmlDocumentObject::GetDocumentElement(framework::XmlElement** element) {
  if (element == nullptr) return framework::kFailed;
  *element = XmlElementObject::Create(this, document_);
  return *element != nullptr ? framework::kOk : framework::kFailed;
}
