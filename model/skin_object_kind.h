// SkinObjectKind: the kinds of skin objects and what is fixed per kind.
//
// A kind is the unsigned 32-bit number stored with every object. Numbers the
// editor does not know may come from a file; the lookups below answer them
// with "nothing known" (empty name, no tree image, no fixed image count)
// rather than failing, so such objects still load, copy and save unchanged.
#pragma once

#include <cstdint>
#include <string>

class SkinObjectKind {
 public:
  static constexpr uint32_t kButton = 0;
  static constexpr uint32_t kListBox = 1;
  static constexpr uint32_t kSlider = 2;
  static constexpr uint32_t kDriveList = 3;
  static constexpr uint32_t kText = 4;
  static constexpr uint32_t kShortcut = 5;
  static constexpr uint32_t kMenuElement = 6;
  static constexpr uint32_t kAnimation = 7;
  static constexpr uint32_t kCustomSlider = 8;
  static constexpr uint32_t kVUMeter = 9;
  static constexpr uint32_t kAlphaBackground = 10;
  static constexpr uint32_t kCount = 11;

  // Image positions of the kinds whose pictures have fixed roles.
  static constexpr int kButtonUp = 0;
  static constexpr int kButtonDown = 1;
  static constexpr int kButtonFocus = 2;
  static constexpr int kButtonDisable = 3;

  // Tree image returned for kinds that have no item in the object tree.
  static constexpr int kNoTreeImage = -1;
  // The tree image of kinds this editor does not know (a newer editor's):
  // they are listed, so they can be seen and deleted.
  static constexpr int kUnknownKindTreeImage = 9;
  // Image count returned where the count is not fixed (Animation: one image
  // per frame) or the kind is unknown.
  static constexpr int kVariableImageCount = -1;

  // The elements of the menu container, all of kind kMenuElement, by index.
  static constexpr int kMenuCheckBox = 0;
  static constexpr int kMenuArrow = 1;
  static constexpr int kMenuSeparator = 2;
  static constexpr int kMenuLeftTopEdge = 3;
  static constexpr int kMenuRightTopEdge = 4;
  static constexpr int kMenuLeftBottomEdge = 5;
  static constexpr int kMenuRightBottomEdge = 6;
  static constexpr int kMenuTopSide = 7;
  static constexpr int kMenuBottomSide = 8;
  static constexpr int kMenuLeftSide = 9;
  static constexpr int kMenuRightSide = 10;
  static constexpr int kMenuFill = 11;
  static constexpr int kMenuElementCount = 12;

  static bool IsKnown(uint32_t kind) { return kind < kCount; }
  // "Button", "ListBox", ...; the empty text for an unknown kind.
  static const char* Name(uint32_t kind);
  // Index into the editor's tree image list, or kNoTreeImage for the kinds
  // that are not listed (MenuElement, AlphaBackground).
  static int TreeImage(uint32_t kind);
  static bool IsListedInTree(uint32_t kind) { return TreeImage(kind) != kNoTreeImage; }
  // Number of images the dialogs give an object of this kind; for
  // MenuElement the count of a plain element (see MenuElementImageCount).
  static int FixedImageCount(uint32_t kind);
  // Name of a new object of this kind before any dialog names it. Menu
  // elements are named after their element (MenuElementName).
  static const char* DefaultName(uint32_t kind);

  // "CheckBox", "Arrow", ... "Fill"; null outside 0..kMenuElementCount-1.
  static const char* MenuElementName(int index);
  // Index of a menu element name (exact case), or -1.
  static int MenuElementIndex(const std::string& name);
  // 2 for "CheckBox" and "Arrow" (normal and disable bitmap), else 1.
  static int MenuElementImageCount(const std::string& name);
};
