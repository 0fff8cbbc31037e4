// ObjectDialogs: the property dialogs the main frame opens on the model —
// one per object kind, the container dialog, the region editor and the skin
// menu dialog. The frame reaches them only through this interface, so that
// what it does around a dialog (creating objects, applying the result,
// updating the tree and the view) is the same whoever answers.
//
// Each method runs its dialog modally and returns true when the designer
// pressed OK. Object dialogs write their result into the object they were
// given only on OK; the container dialog fills a ContainerResult; the region
// editor replaces the shape it was given only on OK.
//
// This base class is the answer while no dialog exists: it opens nothing
// and reports Cancel.
#pragma once

#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/win32_types.h"
#include "imaging/window_region.h"

class CWnd;
class Skin;
class SkinContainer;
class SkinObject;

class ObjectDialogs {
 public:
  // What the container dialog hands back on OK.
  struct ContainerResult {
    std::string name;
    DibImage background;
    DibImage alphaBackground;  // empty: no alphablend background
    POINT alphablendOffset{0, 0};
    WindowRegion windowShape;
  };

  virtual ~ObjectDialogs() = default;

  // Buttons and shortcuts. In creation mode the dialog also names the
  // object (and gives a shortcut its target); in edit mode the name stays.
  virtual bool SkinButton(CWnd* parent, SkinObject& object, bool creating);
  virtual bool SkinList(CWnd* parent, SkinObject& object);
  // Sliders; the dialog may switch the kind between Slider and CustomSlider.
  virtual bool SkinSlider(CWnd* parent, SkinObject& object);
  virtual bool SkinDrives(CWnd* parent, SkinObject& object);
  virtual bool SkinText(CWnd* parent, SkinObject& object);
  virtual bool SkinAnimation(CWnd* parent, SkinObject& object);
  virtual bool SkinVUMeter(CWnd* parent, SkinObject& object);

  // The container dialog on container, or on a new container when it is
  // null. The name list offers the configured names no container of skin
  // uses yet.
  virtual bool Container(CWnd* parent, const SkinContainer* container, const Skin& skin,
                         const std::vector<std::string>& configuredNames, ContainerResult& result);
  // The region editor over picture; on OK shape holds the new shape.
  virtual bool Region(CWnd* parent, const DibImage& picture, WindowRegion& shape);
  // The skin menu dialog on the menu container.
  virtual bool SkinMenu(CWnd* parent, SkinContainer& menu);
};
