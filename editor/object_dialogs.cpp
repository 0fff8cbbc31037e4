#include "editor/object_dialogs.h"

bool ObjectDialogs::SkinButton(CWnd*, SkinObject&, bool) { return false; }
bool ObjectDialogs::SkinList(CWnd*, SkinObject&) { return false; }
bool ObjectDialogs::SkinSlider(CWnd*, SkinObject&) { return false; }
bool ObjectDialogs::SkinDrives(CWnd*, SkinObject&) { return false; }
bool ObjectDialogs::SkinText(CWnd*, SkinObject&) { return false; }
bool ObjectDialogs::SkinAnimation(CWnd*, SkinObject&) { return false; }
bool ObjectDialogs::SkinVUMeter(CWnd*, SkinObject&) { return false; }

bool ObjectDialogs::Container(CWnd*, const SkinContainer*, const Skin&,
                              const std::vector<std::string>&, ContainerResult&) {
  return false;
}

bool ObjectDialogs::Region(CWnd*, const DibImage&, WindowRegion&) { return false; }
bool ObjectDialogs::SkinMenu(CWnd*, SkinContainer&) { return false; }
