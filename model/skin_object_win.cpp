#include "model/skin_object.h"

#include "ui/crgn.h"

bool SkinObject::GetWindowRegion(CRgn& out) const { return ::GetWindowRegion(windowShape, out); }

bool SkinObject::MouseRegion(CRgn& out) const {
  if (mousePolygon.empty()) {
    out.DeleteObject();
    return false;
  }
  return PolygonRegion(mousePolygon, out);
}
