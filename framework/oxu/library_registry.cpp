#include "framework/oxu/library_registry.h"

#include "framework/oxu/library_path.h"

void LibraryRegistry::SetConnectFactory(framework::CreateInstanceFunction factory) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  connect_factory_ = factory;
}

void LibraryRegistry::ReadRegistrationsLocked() {
  if (read_) return;
  read_ = true;
  std::wstring path = platform_.RegistrationsPath();
  std::string contents;
  if (path.empty() || !platform_.ReadWholeFile(path, &contents)) return;
  for (const Registration& registration : RegistrationFile::Parse(contents)) {
    bool known = false;
    for (const Entry& entry : entries_) {
      known = known || library_path::Same(entry.registration.path, registration.path);
    }
    if (known || !library_path::IsFull(registration.path)) continue;
    Entry entry;
    entry.registration = registration;
    entries_.push_back(entry);
  }
}

bool LibraryRegistry::SaveLocked() {
  std::wstring path = platform_.RegistrationsPath();
  if (path.empty()) return true;  // registrations for this process only
  std::vector<Registration> registrations;
  for (const Entry& entry : entries_) registrations.push_back(entry.registration);
  return platform_.ReplaceWholeFile(path, RegistrationFile::Format(registrations));
}

bool LibraryRegistry::LoadLocked(Entry& entry) {
  if (entry.loaded) return true;
  if (entry.failed) return false;
  LoadedLibrary library;
  if (!platform_.Load(entry.registration.path, &library)) {
    entry.failed = true;
    return false;
  }
  if (library.create == nullptr ||
      (library.attach != nullptr && library.attach(framework::kAttachLoaded) == 0)) {
    platform_.Unload(library);
    entry.failed = true;
    return false;
  }
  if (library.connect != nullptr && connect_factory_ != nullptr) library.connect(connect_factory_);
  entry.library = library;
  entry.loaded = true;
  return true;
}

void LibraryRegistry::UnloadLocked(Entry& entry) {
  if (!entry.loaded) return;
  if (entry.library.attach != nullptr) entry.library.attach(framework::kAttachUnloading);
  platform_.Unload(entry.library);
  entry.library = LoadedLibrary();
  entry.loaded = false;
}

int32_t LibraryRegistry::AddLocked(const Registration& registration) {
  for (Entry& entry : entries_) {
    if (!library_path::Same(entry.registration.path, registration.path)) continue;
    Registration previous = entry.registration;
    entry.registration.kind = registration.kind;
    entry.registration.model_directory = registration.model_directory;
    if (SaveLocked()) return framework::kOk;
    entry.registration = previous;
    return framework::kFailed;
  }
  Entry entry;
  entry.registration = registration;
  if (!LoadLocked(entry)) return framework::kFailed;
  entries_.push_back(entry);
  if (SaveLocked()) return framework::kOk;
  UnloadLocked(entries_.back());
  entries_.pop_back();
  return framework::kFailed;
}

int32_t LibraryRegistry::RemoveLocked(const std::wstring& path) {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (!library_path::Same(entries_[i].registration.path, path)) continue;
    Entry removed = entries_[i];
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    if (!SaveLocked()) {
      entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(i), removed);
      return framework::kFailed;
    }
    if (removed.loaded) retired_.push_back(removed);
    return framework::kOk;
  }
  return framework::kFailed;
}

int32_t LibraryRegistry::Register(int32_t mode, const wchar_t* libraryPath, int32_t kind,
                                  const wchar_t* modelDirectory) {
  if (libraryPath == nullptr) return framework::kFailed;
  Registration registration;
  registration.path = libraryPath;
  registration.kind = kind;
  if (modelDirectory != nullptr) registration.model_directory = modelDirectory;
  if (!library_path::IsFull(registration.path) || !RegistrationFile::CanHold(registration.path) ||
      !RegistrationFile::CanHold(registration.model_directory)) {
    return framework::kFailed;
  }
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  ReadRegistrationsLocked();
  if (mode == framework::kRegisterLibrary) return AddLocked(registration);
  if (mode == framework::kUnregisterLibrary) return RemoveLocked(registration.path);
  return framework::kFailed;
}

int32_t LibraryRegistry::Initialize() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (initialized_) return 0;
  initialized_ = true;
  ReadRegistrationsLocked();
  return 1;
}

int32_t LibraryRegistry::Shutdown() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  // Last registered first: a library may use the ones registered before it.
  for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) UnloadLocked(*entry);
  for (auto entry = retired_.rbegin(); entry != retired_.rend(); ++entry) UnloadLocked(*entry);
  entries_.clear();
  retired_.clear();
  read_ = false;
  initialized_ = false;
  return framework::kOk;
}

int32_t LibraryRegistry::CreateInstance(const framework::Guid* classId,
                                        const framework::Guid* interfaceId, void** object,
                                        framework::Object* outer) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (classId == nullptr || interfaceId == nullptr) return framework::kFailed;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  ReadRegistrationsLocked();
  // By index: a library's factory may call back into this one.
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (!LoadLocked(entries_[i])) continue;
    framework::CreateInstanceFunction create = entries_[i].library.create;
    void* made = nullptr;
    int32_t result = create(classId, interfaceId, &made, outer);
    if (!framework::Failed(result) && made != nullptr) {
      *object = made;
      return result;
    }
  }
  return framework::kNoClass;
}

std::vector<Registration> LibraryRegistry::Registrations() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  ReadRegistrationsLocked();
  std::vector<Registration> registrations;
  for (const Entry& entry : entries_) registrations.push_back(entry.registration);
  return registrations;
}
