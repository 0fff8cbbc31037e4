// CQorvaEditorApp: the editor's application object. InitInstance prepares
// the common controls and the profile key and opens the main frame; without
// a usable configuration no window opens and the program ends.
#pragma once

#include "ui/cwin_app.h"

class CQorvaEditorApp : public CWinApp {
 public:
  static constexpr const char* kRegistryKey = "Local AppWizard-Generated Applications";
  static constexpr const char* kTitle = "QorvaEditor";

  CQorvaEditorApp();

  BOOL InitInstance() override;
};
