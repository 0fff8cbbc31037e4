// The editor's own resources as the program loads them: the menu bar with
// its texts and commands in order, the accelerators, the toolbar layout and
// the status-bar prompts and tooltips of the string table. Numbers are the
// commands' fixed identifiers, written out so a renumbered macro shows too.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/resource.h"

namespace {

HINSTANCE Module() { return ::GetModuleHandleA(nullptr); }

// One menu entry per line: its depth, then "text = id", "text >" for a
// popup, or "-" for a separator.
void DescribeMenu(HMENU menu, int depth, std::vector<std::string>& out) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[128] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    ASSERT_TRUE(::GetMenuItemInfoA(menu, i, TRUE, &info));
    const std::string indent(static_cast<size_t>(depth) * 2, ' ');
    if (info.fType & MFT_SEPARATOR) {
      out.push_back(indent + "-");
    } else if (info.hSubMenu != nullptr) {
      out.push_back(indent + text + " >");
      DescribeMenu(info.hSubMenu, depth + 1, out);
    } else {
      out.push_back(indent + text + " = " + std::to_string(info.wID));
    }
  }
}

TEST(EditorResources, MenuBarHoldsItsTextsAndCommandsInOrder) {
  HMENU menu = ::LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> lines;
  DescribeMenu(menu, 0, lines);
  ::DestroyMenu(menu);
  const std::vector<std::string> expected = {
      "&File >",
      "  &New... = 57600",
      "  &Open...\tCtrl+O = 57601",
      "  -",
      "  &Save\tCtrl+S = 57603",
      "  Save &as... = 32778",
      "  -",
      "  E&xit\tAlt+F4 = 57665",
      "&Insert >",
      "  New &Container... = 32791",
      "  -",
      "  Insert &Text... = 32788",
      "  Insert &Object... = 32793",
      "  Insert &Shortcut... = 32799",
      "  Insert &Animation... = 32814",
      "  Insert VUMeter... = 32819",
      "&Edit >",
      "  &Layout Containers = 32795",
      "  -",
      "  &Container >",
      "    &Load bitmap... = 32771",
      "    -",
      "    &Window region = 32784",
      "    -",
      "    &Edit... = 32794",
      "  -",
      "  &Object... = 32797",
      "  Skin Menu... = 32800",
      "  -",
      "  &Delete\tDel = 32792",
      "&View >",
      "  &Toolbar = 59392",
      "  &Status Bar = 59393",
      "&Help >",
      "  &About QorvaEditor... = 57664",
  };
  EXPECT_EQ(lines, expected);
}

TEST(EditorResources, AcceleratorsAreCtrlOCtrlSAndDel) {
  HACCEL table = ::LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ASSERT_NE(table, nullptr);
  ACCEL entries[8] = {};
  const int count = ::CopyAcceleratorTableA(table, entries, 8);
  ::DestroyAcceleratorTable(table);
  std::vector<std::string> seen;
  for (int i = 0; i < count; ++i) {
    const bool control = (entries[i].fVirt & FCONTROL) != 0;
    const bool virtualKey = (entries[i].fVirt & FVIRTKEY) != 0;
    seen.push_back(std::string(control ? "Ctrl+" : "") + (virtualKey ? "vk" : "char") +
                   std::to_string(entries[i].key) + " = " + std::to_string(entries[i].cmd));
  }
  const std::vector<std::string> expected = {
      "Ctrl+vk" + std::to_string('O') + " = 57601",
      "Ctrl+vk" + std::to_string('S') + " = 57603",
      "vk" + std::to_string(VK_DELETE) + " = 32792",
  };
  EXPECT_EQ(seen, expected);
}

// The toolbar resource (type 241): version, button size, count, then one
// command per item with 0 for a separator.
TEST(EditorResources, ToolbarButtonsComeInTheirOrder) {
  HRSRC found = ::FindResourceA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(241));
  ASSERT_NE(found, nullptr);
  HGLOBAL loaded = ::LoadResource(Module(), found);
  ASSERT_NE(loaded, nullptr);
  const WORD* words = static_cast<const WORD*>(::LockResource(loaded));
  ASSERT_NE(words, nullptr);
  ASSERT_GE(::SizeofResource(Module(), found), 8u);
  EXPECT_EQ(words[0], 1);
  EXPECT_EQ(words[1], 16);
  EXPECT_EQ(words[2], 16);
  const WORD count = words[3];
  ASSERT_EQ(::SizeofResource(Module(), found), 8u + 2u * count);
  const std::vector<WORD> items(words + 4, words + 4 + count);
  const std::vector<WORD> expected = {57600, 57601, 57603, 0, 32792, 0, 32791, 32793, 32799, 32814,
                                      32819, 32788, 32800, 0, 32813, 0, 32771, 32779, 0,     57665};
  EXPECT_EQ(items, expected);
  int buttons = 0;
  for (WORD item : items) buttons += item != 0 ? 1 : 0;
  EXPECT_EQ(buttons, TOOLBAR_BUTTON_COUNT) << "one picture per button in the toolbar bitmap";
}

std::string LoadText(UINT id) {
  char text[256] = {};
  const int length = ::LoadStringA(Module(), id, text, sizeof(text));
  return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string Tooltip(UINT id) {
  const std::string text = LoadText(id);
  const size_t lineBreak = text.find('\n');
  return lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
}

TEST(EditorResources, ButtonsCarryTheirTooltipsAfterTheStatusPrompt) {
  struct Row {
    UINT id;
    const char* tooltip;  // empty: the button has no string-table entry
  };
  const Row rows[] = {
      {57600, ""},
      {57601, "Open"},
      {57603, "Save"},
      {57665, "Exit"},
      {32791, "New Container"},
      {32788, "Insert Text"},
      {32793, "Insert Object"},
      {32799, "Insert Shortcut"},
      {32814, "Insert Animation"},
      {32819, "Insert VUMeter"},
      {32771, "Background"},
      {32800, "Skin Menu"},
      {32792, "Delete"},
      {32779, "Edit"},
      {32813, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(Tooltip(row.id), row.tooltip);
    const std::string text = LoadText(row.id);
    if (*row.tooltip == '\0') {
      EXPECT_EQ(text, "") << "no string-table entry";
    } else {
      const size_t lineBreak = text.find('\n');
      ASSERT_NE(lineBreak, std::string::npos);
      EXPECT_GT(lineBreak, 0u) << "a status-bar prompt before the tooltip";
    }
  }
  // Commands only in the menu have a status-bar prompt and no tooltip.
  for (UINT id : {32778u, 32784u, 32794u, 32797u, 59392u, 59393u, 57664u}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(LoadText(id).empty());
    EXPECT_EQ(LoadText(id).find('\n'), std::string::npos);
  }
  EXPECT_EQ(LoadText(IDR_MAINFRAME), "QorvaEditor");
}

}  // namespace
