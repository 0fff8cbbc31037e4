// InstallerScriptContainer: the installer's own framework-style container
// object. It answers its own interface id and asks the inner objects it made,
// newest first, for any other. Inner objects are made through the factory
// with the container as their outer object and never call back into it.
// The script methods of the "installer" object are added with the container
// as their context, so the dispatcher finds the InstallerScript through it.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "framework/interfaces.h"

class FrameworkFactory;
class InstallerScript;

class InstallerScriptContainer final : public framework::Object {
 public:
  explicit InstallerScriptContainer(FrameworkFactory& factory) : factory_(factory) {}
  InstallerScriptContainer(const InstallerScriptContainer&) = delete;
  InstallerScriptContainer& operator=(const InstallerScriptContainer&) = delete;

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddRef() override;
  int32_t FRAMEWORK_CALL Release() override;

  // Makes an inner object of classId through the factory; false when
  // the factory refuses.
  bool CreateInner(const framework::Guid& classId, const framework::Guid& interfaceId);

  // The behaviour behind the methods; not owned, must outlive the calls.
  void SetScript(InstallerScript* script) { script_ = script; }
  InstallerScript* script() const { return script_; }

  // The container behind a method call's context, or null when the context
  // is not one.
  static InstallerScriptContainer* FromContext(framework::Object* context);

 private:
  ~InstallerScriptContainer();

  FrameworkFactory& factory_;
  std::atomic<int32_t> references_{1};
  std::vector<framework::Object*> inner_;
  InstallerScript* script_ = nullptr;
};
