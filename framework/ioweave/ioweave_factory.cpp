#include "framework/ioweave/ioweave_factory.h"

#include <new>

#include "framework/ioweave/xml_document_object.h"

int32_t CreateIoweaveInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                              void** object, framework::Object* /*outer*/) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (classId == nullptr || interfaceId == nullptr) return framework::kFailed;
  if (*classId != framework::kXmlDocumentClassId || *interfaceId != framework::kXmlDocumentId) {
    return framework::kNoClass;
  }
  XmlDocumentObject* document = new (std::nothrow) XmlDocumentObject();
  if (document == nullptr) return framework::kFailed;
  document->AddRef();
  int32_t result = document->QueryInterface(*interfaceId, object, 1);
  document->Release();
  return result;
}
