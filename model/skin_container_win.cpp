#include "model/skin_container.h"

#include "ui/crgn.h"

bool SkinContainer::GetWindowRegionOrEmpty(CRgn& out) const {
  // Without a region the polygon decides, and too few points give a handle
  // that covers nothing: callers test the result, not the handle, to learn
  // whether the container is shaped at all.
  const bool made = windowShape.HasRegion() ? ::GetWindowRegion(windowShape, out)
                                            : PolygonRegion(windowShape.points, out);
  if (!made || out.IsNull()) return false;
  RECT box;
  const int type = ::GetRgnBox(out, &box);
  return type != NULLREGION && type != ERROR;
}
