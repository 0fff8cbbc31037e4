#include "framework/tvx/markup_window.h"

namespace tvx {

int MarkupWindow::FindControl(const std::wstring& id) const {
  if (id.empty()) return -1;
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

int MarkupWindow::FindPage(const std::wstring& id) const {
  for (size_t i = 0; i < pages.size(); ++i) {
    if (pages[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

const MarkupWindow* Markup::FindWindowNamed(const std::wstring& name) const {
  for (const MarkupWindow& window : windows) {
    if (window.name == name) return &window;
  }
  return nullptr;
}

}  // namespace tvx
