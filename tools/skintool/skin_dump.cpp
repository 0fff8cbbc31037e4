#include "tools/skintool/skin_dump.h"

#include "tools/skintool/json_layout.h"
#include "tools/skintool/latin1_text.h"
#include "tools/skintool/rgba_digest.h"

// Members are added in the order the format lists them; Json keeps it.

std::string SkinDump::Text(Skin& skin) {
  Json dump;
  SkinDump(nullptr).Write(skin, dump);  // cannot fail without a sink
  return JsonLayout::Compact(dump) + "\n";
}

bool SkinDump::Write(Skin& skin, Json& out) {
  Json containers = Json::array();
  for (size_t i = 0; i < skin.containers.size(); ++i) {
    containers.push_back(Json());
    if (!WriteContainer(*skin.containers[i], i, containers.back())) return false;
  }
  out = Json::object();
  out["containers"] = std::move(containers);
  return true;
}

bool SkinDump::WriteContainer(SkinContainer& container, size_t index, Json& out) {
  const std::string baseName = "container" + std::to_string(index);
  out = Json::object();
  out["name"] = Latin1Text::ToUtf8(container.name);
  out["offset"] = Json::array({container.alphablendOffset.x, container.alphablendOffset.y});
  if (!WriteImage(container.background, baseName + "-background", out["background"])) {
    return false;
  }
  out["region"] = RegionOf(container.windowShape);
  out["polygon"] = PointsOf(container.windowShape.points);
  out["block"] = HexOf(container.block.Bytes().data(), container.block.Bytes().size());
  Json& objects = out["objects"] = Json::array();
  for (size_t i = 0; i < container.objects.size(); ++i) {
    objects.push_back(Json());
    if (!WriteObject(*container.objects[i], baseName + "-object" + std::to_string(i),
                     objects.back())) {
      return false;
    }
  }
  return true;
}

bool SkinDump::WriteObject(SkinObject& object, const std::string& baseName, Json& out) {
  out = Json::object();
  out["name"] = Latin1Text::ToUtf8(object.name);
  out["kind"] = object.kind;
  out["target"] = Latin1Text::ToUtf8(object.shortcutTarget);
  out["visible"] = object.visible;
  out["orientation"] = object.orientation;
  out["region"] = RegionOf(object.windowShape);
  out["polygon"] = PointsOf(object.windowShape.points);
  out["mouse"] = PointsOf(object.mousePolygon);
  out["block"] = HexOf(object.block.Bytes().data(), object.block.Bytes().size());
  Json& images = out["images"] = Json::array();
  for (size_t i = 0; i < object.images.size(); ++i) {
    images.push_back(Json());
    if (!object.images[i]) continue;  // stays null
    if (!WriteImage(*object.images[i], baseName + "-image" + std::to_string(i), images.back())) {
      return false;
    }
  }
  return true;
}

bool SkinDump::WriteImage(DibImage& image, const std::string& baseName, Json& out) {
  out = Json();
  if (!image.IsValid()) return true;
  out = Json::object();
  out["width"] = image.Width();
  out["height"] = image.Height();
  out["bpp"] = image.BitCount();
  out["pixels"] = RgbaDigest::HexOf(image);
  if (sink_ != nullptr) {
    std::string fileName;
    if (!sink_->Store(image, baseName, fileName, error_)) return false;
    out["file"] = Latin1Text::ToUtf8(fileName);
  }
  return true;
}

Json SkinDump::RegionOf(const WindowRegion& shape) {
  if (!shape.region) return Json();
  Json rects = Json::array();
  for (const RECT& rect : shape.region->Rects()) {
    rects.push_back(Json::array({rect.left, rect.top, rect.right, rect.bottom}));
  }
  return rects;
}

Json SkinDump::PointsOf(const std::vector<POINT>& points) {
  Json list = Json::array();
  for (const POINT& point : points) list.push_back(Json::array({point.x, point.y}));
  return list;
}

Json SkinDump::HexOf(const BYTE* bytes, size_t size) {
  static const char kHexDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(size * 2);
  for (size_t i = 0; i < size; ++i) {
    hex.push_back(kHexDigits[bytes[i] >> 4]);
    hex.push_back(kHexDigits[bytes[i] & 0x0F]);
  }
  return hex;
}
