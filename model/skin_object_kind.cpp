#include "model/skin_object_kind.h"

namespace {

struct KindTraits {
  const char* name;
  int treeImage;
  int imageCount;
  const char* defaultName;
};

constexpr int kNone = SkinObjectKind::kNoTreeImage;
constexpr int kVariable = SkinObjectKind::kVariableImageCount;

// Indexed by kind number.
constexpr KindTraits kTraits[SkinObjectKind::kCount] = {
    {"Button", 2, 4, ""},
    {"ListBox", 3, 13, ""},
    {"Slider", 4, 2, ""},
    {"DriveList", 1, 12, ""},
    {"Text", 5, 2, ""},
    {"Shortcut", 6, 4, ""},
    {"MenuElement", kNone, 1, ""},
    {"Animation", 7, kVariable, "Animation"},
    {"CustomSlider", 4, 2, ""},
    {"VUMeter", 8, 2, "VUMeter"},
    {"AlphaBackground", kNone, 1, ""},
};

constexpr const char* kMenuElementNames[SkinObjectKind::kMenuElementCount] = {
    "CheckBox",        "Arrow",   "Separator",  "LeftTopEdge", "RightTopEdge", "LeftBottomEdge",
    "RightBottomEdge", "TopSide", "BottomSide", "LeftSide",    "RightSide",    "Fill",
};

}  // namespace

const char* SkinObjectKind::Name(uint32_t kind) { return IsKnown(kind) ? kTraits[kind].name : ""; }

int SkinObjectKind::TreeImage(uint32_t kind) {
  return IsKnown(kind) ? kTraits[kind].treeImage : kUnknownKindTreeImage;
}

int SkinObjectKind::FixedImageCount(uint32_t kind) {
  return IsKnown(kind) ? kTraits[kind].imageCount : kVariableImageCount;
}

const char* SkinObjectKind::DefaultName(uint32_t kind) {
  return IsKnown(kind) ? kTraits[kind].defaultName : "";
}

const char* SkinObjectKind::MenuElementName(int index) {
  if (index < 0 || index >= kMenuElementCount) return nullptr;
  return kMenuElementNames[index];
}

int SkinObjectKind::MenuElementIndex(const std::string& name) {
  for (int index = 0; index < kMenuElementCount; ++index) {
    if (name == kMenuElementNames[index]) return index;
  }
  return -1;
}

int SkinObjectKind::MenuElementImageCount(const std::string& name) {
  const int index = MenuElementIndex(name);
  return (index == kMenuCheckBox || index == kMenuArrow) ? 2 : 1;
}
