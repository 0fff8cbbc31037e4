#include "setup/uninstall_log.h"

#include <cwchar>

#include "setup/data_stream.h"
#include "setup/framework_factory.h"
#include "setup/os_file.h"

namespace {

template <typename Interface>
void ReleaseIfHeld(Interface*& object) {
  if (object != nullptr) object->Release();
  object = nullptr;
}

// The first child of that name (names match ignoring case), else a new one;
// referenced, or null when neither works.
framework::XmlElement* FirstOrAppended(framework::XmlElement* parent, const char* name) {
  framework::XmlElement* child = nullptr;
  if (!framework::Failed(parent->GetChild(name, 0, &child)) && child != nullptr) return child;
  child = nullptr;
  if (framework::Failed(parent->AppendChild(name, &child))) return nullptr;
  return child;
}

std::wstring AttributeText(framework::XmlElement* element, const char* name) {
  const wchar_t* text = element != nullptr ? element->GetAttributeText(name) : nullptr;
  return text != nullptr ? std::wstring(text) : std::wstring();
}

// The "package" child whose "ID" is `id` (compared ignoring case, as the
// framework's lookups compare), else a new one carrying name and ID.
framework::XmlElement* PackageEntry(framework::XmlElement* packages, const std::wstring& id,
                                    const std::wstring& name) {
  framework::XmlElement* entry = nullptr;
  if (!framework::Failed(packages->GetChildWithAttribute("package", "ID", id.c_str(), 0, &entry)) &&
      entry != nullptr) {
    return entry;
  }
  entry = nullptr;
  if (framework::Failed(packages->AppendChild("package", &entry)) || entry == nullptr) {
    return nullptr;
  }
  entry->SetAttribute("name", name.c_str());
  entry->SetAttribute("ID", id.c_str());
  return entry;
}

// The file stream a save writes through, remembering whether every write
// went through whole. The document's writer may not tell a short write
// apart (an XML writer's output callback often returns nothing), so the
// save trusts this record, not the document's result alone.
class SavingStream final : public framework::ByteStream {
 public:
  SavingStream(DataStream& file, UninstallLog::WriteFault* fault) : file_(file), fault_(fault) {}

  uint32_t FRAMEWORK_CALL Read(void* buffer, uint32_t size) override {
    return file_.Read(buffer, size);
  }
  uint32_t FRAMEWORK_CALL Write(const void* data, uint32_t size) override {
    if (cut_ || (fault_ != nullptr && fault_->FailsWrite(writes_++))) {
      cut_ = true;
      return 0;
    }
    const uint32_t written = file_.Write(data, size);
    if (written != size) cut_ = true;
    return written;
  }
  int64_t FRAMEWORK_CALL Seek(int64_t offset, int32_t origin) override {
    return file_.Seek(offset, origin);
  }
  int64_t FRAMEWORK_CALL GetSize() override { return file_.GetSize(); }
  int64_t FRAMEWORK_CALL GetRemaining() override { return file_.GetRemaining(); }

  bool Whole() const { return !cut_; }

 private:
  DataStream& file_;
  UninstallLog::WriteFault* fault_;
  int writes_ = 0;
  bool cut_ = false;
};

}  // namespace

framework::XmlDocument* UninstallLog::LoadDocument(FrameworkFactory& factory,
                                                   const std::wstring& path) {
  framework::XmlDocument* document = nullptr;
  if (framework::Failed(factory.CreateInstance(framework::kXmlDocumentClassId,
                                               framework::kXmlDocumentId,
                                               reinterpret_cast<void**>(&document), nullptr)) ||
      document == nullptr) {
    return nullptr;
  }
  DataStream file;
  if (!file.OpenFile(path.c_str(), stream_flags::kUninstallLogLoad) ||
      framework::Failed(document->LoadFromStream(&file))) {
    document->Release();
    return nullptr;
  }
  return document;
}

bool UninstallLog::OpenLog(framework::XmlElement* package) {
  ReleaseAll();
  document_ = LoadDocument(factory_, path_);
  if (document_ == nullptr) return false;
  framework::XmlElement* root = nullptr;
  if (framework::Failed(document_->GetDocumentElement(&root)) || root == nullptr) {
    ReleaseAll();
    return false;
  }
  framework::XmlElement* log = FirstOrAppended(root, "UninstallLog");
  framework::XmlElement* packages = log != nullptr ? FirstOrAppended(log, "packages") : nullptr;
  files_log_ = log != nullptr ? FirstOrAppended(log, "files") : nullptr;
  std::wstring name = AttributeText(package, "friendly_name");
  if (name.empty()) name = AttributeText(package, "name");
  if (packages != nullptr)
    package_log_ = PackageEntry(packages, AttributeText(package, "ID"), name);
  ReleaseIfHeld(packages);
  ReleaseIfHeld(log);
  ReleaseIfHeld(root);
  if (package_log_ == nullptr || files_log_ == nullptr) {
    ReleaseAll();
    return false;
  }
  return true;
}

bool UninstallLog::SaveLog() {
  const bool saved = document_ != nullptr && (package_log_ != nullptr || files_log_ != nullptr) &&
                     WriteReplacement();
  ReleaseAll();
  return saved;
}

// Writes the document to the file beside the log and moves it over the log
// once it is whole and on disk; otherwise the log stays as it was.
bool UninstallLog::WriteReplacement() {
  const std::wstring saving = SavingPath(path_);
  DataStream file;
  if (!file.OpenFile(saving.c_str(), stream_flags::kUninstallLogSave)) return false;
  SavingStream stream(file, fault_);
  bool whole = !framework::Failed(document_->SaveToStream(&stream)) && stream.Whole();
  whole = whole && file.Flush();
  file.Close();
  if (whole && os_file::MoveOver(saving.c_str(), path_.c_str())) return true;
  os_file::RemoveFile(saving.c_str());
  return false;
}

void UninstallLog::ReleaseAll() {
  ReleaseIfHeld(package_log_);
  ReleaseIfHeld(files_log_);
  ReleaseIfHeld(document_);
}
