#include "ui/common_controls.h"

#include <windows.h>

#include <commctrl.h>

bool EnsureCommonControls() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX),
                                     ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                         ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    return ::InitCommonControlsEx(&controls) != FALSE;
  }();
  return registered;
}
