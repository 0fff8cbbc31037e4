// InstallerScriptContainer: the installer's own framework-style container
// object. It answers its own interface id and asks the inner objects it made,
// newest first, for any other. Inner objects are made through the factory
// with the container as their outer object and never call back into it.
// The script methods of the "installer" object join it with the install.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "framework/interfaces.h"

class FrameworkFactory;

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

 private:
  ~InstallerScriptContainer();

  FrameworkFactory& factory_;
  std::atomic<int32_t> references_{1};
  std::vector<framework::Object*> inner_;
};
