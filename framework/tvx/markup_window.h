// What a window of the installer markup describes, as the parser leaves it:
// the window with its scripts, its pages and every control, in document
// order. Texts are wide; sizes and positions are client pixels.
#pragma once

#include <string>
#include <vector>

namespace tvx {

enum class ControlKind {
  kText,
  kImage,
  kEdit,
  kButton,
  kCheckBox,
  kRadio,
  kProgress,
  kFolderPicker,
};

struct MarkupControl {
  ControlKind kind = ControlKind::kText;
  std::wstring id;  // empty: not reachable from scripts
  std::wstring text;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  // Index into MarkupWindow::pages, or -1 for a control shown on every page.
  int page = -1;
  bool enabled = true;
  bool visible = true;
  bool checked = false;      // check boxes and radio buttons
  bool is_default = false;   // push buttons and folder pickers
  bool group_start = false;  // first radio button of its group
  bool password = false;     // edit fields
  bool read_only = false;    // edit fields
  bool heading = false;      // texts: bold and larger
  std::wstring group;        // radio buttons
  std::wstring source;       // images: archive entry name
  std::wstring target;       // folder pickers: id of the edit field they fill
  int maximum = 100;         // progress bars: value of a full bar
  int value = 0;             // progress bars
  std::wstring onclick;
  std::wstring onchange;
  int line = 0;  // line of the element in the markup, for error texts
};

struct MarkupPage {
  std::wstring id;
  std::wstring onshow;
};

struct MarkupWindow {
  std::wstring name;
  std::wstring type;
  std::wstring title;
  int width = 0;
  int height = 0;
  std::wstring onload;
  std::wstring oncancel;
  std::wstring cancel_question;  // asked before closing while the window is busy
  std::vector<std::wstring> scripts;
  std::vector<MarkupPage> pages;
  std::vector<MarkupControl> controls;

  // Index of the control with this id, or -1.
  int FindControl(const std::wstring& id) const;
  // Index of the page with this id, or -1.
  int FindPage(const std::wstring& id) const;
};

struct Markup {
  std::vector<MarkupWindow> windows;

  // The window named `name`, or null.
  const MarkupWindow* FindWindowNamed(const std::wstring& name) const;
};

}  // namespace tvx
