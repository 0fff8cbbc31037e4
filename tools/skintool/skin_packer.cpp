#include "tools/skintool/skin_packer.h"

#include <cstring>
#include <new>

#include "imaging/region_data.h"
#include "model/skin_file_io.h"
#include "model/skin_object_kind.h"
#include "tools/skintool/image_file.h"
#include "tools/skintool/json_fields.h"
#include "tools/skintool/json_parser.h"
#include "tools/skintool/skin_unpacker.h"
#include "tools/skintool/text_file.h"

namespace {

const std::vector<const char*> kRootKeys = {"containers"};
const std::vector<const char*> kContainerKeys = {"name",    "offset", "background", "region",
                                                 "polygon", "block",  "objects"};
const std::vector<const char*> kObjectKeys = {"name",        "kind",   "target",  "visible",
                                              "orientation", "region", "polygon", "mouse",
                                              "block",       "images"};
const std::vector<const char*> kImageKeys = {"width", "height", "bpp", "pixels", "file"};

bool IsOneOf(const std::string& key, const std::vector<const char*>& keys) {
  for (const char* known : keys) {
    if (key == known) return true;
  }
  return false;
}

// Whether a container name line reads back as exactly name.
bool ContainerNameRoundTrips(const std::string& name) {
  return !name.empty() && skin_file::IsWritableNameLine(name) &&
         skin_file::StripWhiteSpace(name) == name;
}

// Whether an object's name line reads back as exactly name and target,
// split at the first TAB for shortcuts as the reader does.
bool ObjectNameRoundTrips(uint32_t kind, const std::string& name, const std::string& target) {
  const bool shortcut = kind == SkinObjectKind::kShortcut;
  if (!shortcut && !target.empty()) return false;
  const std::string line = shortcut ? name + '\t' + target : name;
  if (!skin_file::IsWritableNameLine(line)) return false;
  const std::string stripped = skin_file::StripWhiteSpace(line);
  if (!shortcut) return stripped == name;
  const size_t tab = stripped.find('\t');
  if (tab == std::string::npos) return stripped == name && target.empty();
  return stripped.substr(0, tab) == name && stripped.substr(tab + 1) == target;
}

// A picture path inside the folder: relative, no drive, no ".." part.
bool IsSafeRelativePath(const std::string& path) {
  if (path.empty() || path[0] == '/' || path[0] == '\\' || path.find(':') != std::string::npos) {
    return false;
  }
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("/\\", start);
    if (end == std::string::npos) end = path.size();
    if (path.compare(start, end - start, "..") == 0 && end - start == 2) return false;
    start = end + 1;
  }
  return true;
}

const Json::array_t* ArrayOf(const Json& value) { return value.get_ptr<const Json::array_t*>(); }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool SkinPacker::Fail(const std::string& where, const std::string& reason) {
  error_ = folder_ + "/" + SkinUnpacker::kJsonName + ": " + where + ": " + reason;
  return false;
}

bool SkinPacker::Pack(const std::string& skinPath) {
  Skin skin;
  if (!Build(skin)) return false;
  if (!skin.Save(skinPath)) {
    error_ = skinPath + ": cannot write the skin file";
    return false;
  }
  return true;
}

bool SkinPacker::Build(Skin& skin) {
  skin.Clear();
  const std::string jsonPath = folder_ + "/" + SkinUnpacker::kJsonName;
  std::string text;
  std::string reason;
  if (!TextFile::Read(jsonPath, kMaxJsonBytes, text, reason)) {
    error_ = jsonPath + ": " + reason;
    return false;
  }
  JsonParser parser;
  Json root;
  if (!parser.Parse(text, root)) {
    error_ = jsonPath + ": " + parser.Error();
    return false;
  }
  if (!HasExactKeys(root, "(top)", kRootKeys)) return false;
  const Json::array_t* containers = ArrayOf(JsonFields::Member(root, "containers"));
  if (containers == nullptr) return Fail("containers", "expected an array");
  if (containers->empty()) return Fail("containers", "a skin needs at least one container");
  for (size_t i = 0; i < containers->size(); ++i) {
    std::unique_ptr<SkinContainer> container(new (std::nothrow) SkinContainer());
    if (!container) return Fail("containers", "out of memory");
    const std::string where = "containers[" + std::to_string(i) + "]";
    if (!ReadContainer((*containers)[i], where, *container)) {
      skin.Clear();
      return false;
    }
    skin.AppendContainer(std::move(container));
  }
  return true;
}

bool SkinPacker::ReadContainer(const Json& value, const std::string& where,
                               SkinContainer& container) {
  if (!HasExactKeys(value, where, kContainerKeys)) return false;
  if (!ReadText(JsonFields::Member(value, "name"), where + ".name", container.name)) return false;
  if (!ContainerNameRoundTrips(container.name)) {
    return Fail(where + ".name",
                "empty, or not storable as given (line break, NUL, white space "
                "at either end, or longer than 509 bytes)");
  }
  if (!ReadPoint(JsonFields::Member(value, "offset"), where + ".offset",
                 container.alphablendOffset) ||
      !ReadImage(JsonFields::Member(value, "background"), where + ".background",
                 container.background) ||
      !ReadRegion(JsonFields::Member(value, "region"), where + ".region", container.windowShape) ||
      !ReadPoints(JsonFields::Member(value, "polygon"), where + ".polygon",
                  container.windowShape.points) ||
      !ReadBlock(JsonFields::Member(value, "block"), where + ".block",
                 container.block.Bytes().data(), container.block.Bytes().size())) {
    return false;
  }
  const Json::array_t* objects = ArrayOf(JsonFields::Member(value, "objects"));
  if (objects == nullptr) return Fail(where + ".objects", "expected an array");
  for (size_t i = 0; i < objects->size(); ++i) {
    std::unique_ptr<SkinObject> object(new (std::nothrow) SkinObject());
    if (!object) return Fail(where + ".objects", "out of memory");
    if (!ReadObject((*objects)[i], where + ".objects[" + std::to_string(i) + "]", *object)) {
      return false;
    }
    container.AppendObject(std::move(object));
  }
  return true;
}

bool SkinPacker::ReadObject(const Json& value, const std::string& where, SkinObject& object) {
  if (!HasExactKeys(value, where, kObjectKeys)) return false;
  int64_t kind = 0;
  int64_t visible = 0;
  int64_t orientation = 0;
  if (!ReadText(JsonFields::Member(value, "name"), where + ".name", object.name) ||
      !ReadInt(JsonFields::Member(value, "kind"), where + ".kind", 0, UINT32_MAX, kind) ||
      !ReadText(JsonFields::Member(value, "target"), where + ".target", object.shortcutTarget) ||
      !ReadInt(JsonFields::Member(value, "visible"), where + ".visible", 0, UINT32_MAX, visible) ||
      !ReadInt(JsonFields::Member(value, "orientation"), where + ".orientation", INT16_MIN,
               INT16_MAX, orientation)) {
    return false;
  }
  object.kind = static_cast<uint32_t>(kind);
  object.visible = static_cast<uint32_t>(visible);
  object.orientation = static_cast<int16_t>(orientation);
  if (!ObjectNameRoundTrips(object.kind, object.name, object.shortcutTarget)) {
    return Fail(where + ".name",
                "name and target not storable as given (a target on a non-shortcut, a line "
                "break, NUL, TAB in a shortcut's name, white space at either end, or a line "
                "longer than 509 bytes)");
  }
  if (!ReadRegion(JsonFields::Member(value, "region"), where + ".region", object.windowShape) ||
      !ReadPoints(JsonFields::Member(value, "polygon"), where + ".polygon",
                  object.windowShape.points) ||
      !ReadPoints(JsonFields::Member(value, "mouse"), where + ".mouse", object.mousePolygon) ||
      !ReadBlock(JsonFields::Member(value, "block"), where + ".block", object.block.Bytes().data(),
                 object.block.Bytes().size())) {
    return false;
  }
  const Json::array_t* images = ArrayOf(JsonFields::Member(value, "images"));
  if (images == nullptr) return Fail(where + ".images", "expected an array");
  for (size_t i = 0; i < images->size(); ++i) {
    std::unique_ptr<DibImage> image(new (std::nothrow) DibImage(DibImage::kFormatPng));
    if (!image) return Fail(where + ".images", "out of memory");
    if (!ReadImage((*images)[i], where + ".images[" + std::to_string(i) + "]", *image)) {
      return false;
    }
    object.images.push_back(std::move(image));
  }
  return true;
}

bool SkinPacker::ReadImage(const Json& value, const std::string& where, DibImage& image) {
  if (value.is_null()) {
    image.Destroy();
    return true;
  }
  const Json::object_t* members = value.get_ptr<const Json::object_t*>();
  if (members == nullptr) return Fail(where, "expected null or an object");
  for (const auto& member : *members) {
    if (!IsOneOf(member.first, kImageKeys))
      return Fail(where, "unknown key \"" + member.first + "\"");
  }
  if (!JsonFields::Has(value, "file")) return Fail(where, "missing \"file\"");
  std::string name;
  if (!ReadText(JsonFields::Member(value, "file"), where + ".file", name)) return false;
  if (!IsSafeRelativePath(name)) return Fail(where + ".file", "not a path inside the folder");
  const std::string path = folder_ + "/" + name;
  std::string reason;
  if (!ImageFile::Load(path, image, reason)) {
    error_ = path + ": " + reason;
    return false;
  }
  return true;
}

bool SkinPacker::ReadRegion(const Json& value, const std::string& where, WindowRegion& shape) {
  shape.region.reset();
  if (value.is_null()) return true;
  const Json::array_t* items = ArrayOf(value);
  if (items == nullptr) return Fail(where, "expected null or an array");
  std::vector<RECT> rects;
  for (size_t i = 0; i < items->size(); ++i) {
    const Json::array_t* edgeValues = ArrayOf((*items)[i]);
    const std::string at = where + "[" + std::to_string(i) + "]";
    if (edgeValues == nullptr || edgeValues->size() != 4)
      return Fail(at, "expected [left,top,right,bottom]");
    int64_t edges[4];
    for (size_t e = 0; e < 4; ++e) {
      if (!ReadInt((*edgeValues)[e], at, INT32_MIN, INT32_MAX, edges[e])) return false;
    }
    RECT rect;
    rect.left = static_cast<LONG>(edges[0]);
    rect.top = static_cast<LONG>(edges[1]);
    rect.right = static_cast<LONG>(edges[2]);
    rect.bottom = static_cast<LONG>(edges[3]);
    rects.push_back(rect);
  }
  shape.region = RegionData(std::move(rects));
  return true;
}

bool SkinPacker::ReadPoints(const Json& value, const std::string& where,
                            std::vector<POINT>& points) {
  points.clear();
  const Json::array_t* items = ArrayOf(value);
  if (items == nullptr) return Fail(where, "expected an array of [x,y]");
  for (size_t i = 0; i < items->size(); ++i) {
    POINT point;
    if (!ReadPoint((*items)[i], where + "[" + std::to_string(i) + "]", point)) return false;
    points.push_back(point);
  }
  return true;
}

bool SkinPacker::ReadPoint(const Json& value, const std::string& where, POINT& point) {
  const Json::array_t* coordinates = ArrayOf(value);
  if (coordinates == nullptr || coordinates->size() != 2) return Fail(where, "expected [x,y]");
  int64_t x = 0;
  int64_t y = 0;
  if (!ReadInt((*coordinates)[0], where, INT32_MIN, INT32_MAX, x) ||
      !ReadInt((*coordinates)[1], where, INT32_MIN, INT32_MAX, y)) {
    return false;
  }
  point.x = static_cast<LONG>(x);
  point.y = static_cast<LONG>(y);
  return true;
}

bool SkinPacker::ReadBlock(const Json& value, const std::string& where, BYTE* bytes, size_t size) {
  const Json::string_t* hex = value.get_ptr<const Json::string_t*>();
  if (hex == nullptr || hex->size() != size * 2) {
    return Fail(where, "expected " + std::to_string(size * 2) + " hex digits");
  }
  for (size_t i = 0; i < size; ++i) {
    const int high = HexDigit((*hex)[2 * i]);
    const int low = HexDigit((*hex)[2 * i + 1]);
    if (high < 0 || low < 0) return Fail(where, "not a hex digit");
    bytes[i] = static_cast<BYTE>(high * 16 + low);
  }
  return true;
}

bool SkinPacker::ReadText(const Json& value, const std::string& where, std::string& text) {
  if (!value.is_string()) return Fail(where, "expected a string");
  if (!JsonFields::GetLatin1(value, text)) return Fail(where, "characters beyond U+00FF");
  return true;
}

bool SkinPacker::ReadInt(const Json& value, const std::string& where, int64_t minimum,
                         int64_t maximum, int64_t& out) {
  if (JsonFields::GetInt(value, minimum, maximum, out)) return true;
  return Fail(where,
              "expected an integer in " + std::to_string(minimum) + ".." + std::to_string(maximum));
}

bool SkinPacker::HasExactKeys(const Json& value, const std::string& where,
                              const std::vector<const char*>& keys) {
  const Json::object_t* members = value.get_ptr<const Json::object_t*>();
  if (members == nullptr) return Fail(where, "expected an object");
  for (const auto& member : *members) {
    if (!IsOneOf(member.first, keys)) return Fail(where, "unknown key \"" + member.first + "\"");
  }
  for (const char* key : keys) {
    if (!JsonFields::Has(value, key)) return Fail(where, std::string("missing \"") + key + "\"");
  }
  return true;
}
