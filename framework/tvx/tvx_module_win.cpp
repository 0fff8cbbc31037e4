#include "framework/tvx/tvx_module_win.h"

#include <atomic>

namespace tvx {

namespace {

std::atomic<framework::CreateInstanceFunction> connected_factory{nullptr};
bool classes_registered = false;

}  // namespace

HINSTANCE TvxModule::Instance() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&connected_factory), &module);
  return module;
}

void TvxModule::SetFactory(framework::CreateInstanceFunction factory) {
  connected_factory = factory;
}

framework::CreateInstanceFunction TvxModule::Factory() { return connected_factory; }

bool TvxModule::RegisterClasses(WNDPROC windowProcedure, WNDPROC imageProcedure) {
  if (classes_registered) return true;
  WNDCLASSEXW window = {};
  window.cbSize = sizeof(window);
  window.lpfnWndProc = windowProcedure;
  window.hInstance = Instance();
  window.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  window.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window.lpszClassName = kWindowClass;
  if (RegisterClassExW(&window) == 0) return false;
  WNDCLASSEXW image = {};
  image.cbSize = sizeof(image);
  image.lpfnWndProc = imageProcedure;
  image.hInstance = Instance();
  image.hCursor = window.hCursor;
  image.lpszClassName = kImageClass;
  if (RegisterClassExW(&image) == 0) {
    UnregisterClassW(kWindowClass, Instance());
    return false;
  }
  classes_registered = true;
  return true;
}

void TvxModule::UnregisterClasses() {
  if (!classes_registered) return;
  UnregisterClassW(kWindowClass, Instance());
  UnregisterClassW(kImageClass, Instance());
  classes_registered = false;
}

}  // namespace tvx
