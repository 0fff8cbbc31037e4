// CWinApp: the application object. The program creates one (on the stack
// of WinMain or as a global with a trivial constructor) and calls Run()
// after InitInstance succeeded; tests create frames without Run() and pump
// messages themselves through ProcessMessage and OnIdle.
#pragma once

#include <windows.h>

#include <string>

class CCmdUI;
class CWnd;

class CWinApp {
 public:
  // appName: the application's name (message box captions, profile key);
  // empty takes the executable's string AFX_IDS_APP_TITLE when present.
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return m_exitCode; }
  // The message loop: runs until WM_QUIT, then ExitInstance(); returns its
  // result.
  virtual int Run();
  // Application-wide pre-translation: walks the target window and its
  // parents up to the main window, then the main window itself for messages
  // of other windows (the frame translates its accelerators there).
  virtual BOOL PreTranslateMessage(MSG* msg);
  // One message: pre-translation, else TranslateMessage/DispatchMessage.
  void ProcessMessage(MSG& msg);
  // Idle work: count 0 updates the main frame's bars (command states, key
  // indicators); every call frees temporary window wrappers. Returns TRUE
  // while more idle work is wanted.
  virtual BOOL OnIdle(LONG count);
  // The application's own commands (after the frame and the view): ID_APP_EXIT
  // closes the main window.
  virtual BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui);

  // Stores the registry key under which the application's profile lives
  // ("Software\<key>\<app name>"), as the framework's profile calls expect.
  void SetRegistryKey(const char* key);
  const std::string& GetRegistryKey() const { return m_strRegistryKey; }

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;
  std::string m_strAppName;
  int m_exitCode = 0;

 private:
  std::string m_strRegistryKey;
};

// The one application object (the last created and not yet destroyed).
CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
