// QorvaEditor.exe: the application runs until its main window closes. The
// command line is not read.
#include <windows.h>

#include "editor/qorva_editor_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CQorvaEditorApp app;
  if (!app.InitInstance()) return app.ExitInstance();
  return app.Run();
}
