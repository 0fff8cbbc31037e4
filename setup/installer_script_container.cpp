#include "setup/installer_script_container.h"

#include "setup/framework_factory.h"

int32_t InstallerScriptContainer::QueryInterface(const framework::Guid& interfaceId, void** object,
                                                 int32_t addReference) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (interfaceId == framework::kInstallerContainerId) {
    *object = static_cast<framework::Object*>(this);
    if (addReference) AddRef();
    return framework::kOk;
  }
  for (auto inner = inner_.rbegin(); inner != inner_.rend(); ++inner) {
    if (!framework::Failed((*inner)->QueryInterface(interfaceId, object, addReference))) {
      return framework::kOk;
    }
  }
  return framework::kNoInterface;
}

int32_t InstallerScriptContainer::AddRef() { return ++references_; }

int32_t InstallerScriptContainer::Release() {
  const int32_t left = --references_;
  if (left == 0) delete this;
  return left;
}

bool InstallerScriptContainer::CreateInner(const framework::Guid& classId,
                                           const framework::Guid& interfaceId) {
  void* made = nullptr;
  if (framework::Failed(factory_.CreateInstance(classId, interfaceId, &made, this)) ||
      made == nullptr) {
    return false;
  }
  inner_.push_back(static_cast<framework::Object*>(made));
  return true;
}

InstallerScriptContainer::~InstallerScriptContainer() {
  for (auto inner = inner_.rbegin(); inner != inner_.rend(); ++inner) (*inner)->Release();
}

InstallerScriptContainer* InstallerScriptContainer::FromContext(framework::Object* context) {
  void* found = nullptr;
  if (context == nullptr ||
      framework::Failed(context->QueryInterface(framework::kInstallerContainerId, &found, 0)) ||
      found == nullptr) {
    return nullptr;
  }
  return static_cast<InstallerScriptContainer*>(static_cast<framework::Object*>(found));
}
