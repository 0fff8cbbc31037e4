#include "tools/skintool/skin_dump.h"

#include "tools/skintool/rgba_digest.h"

std::string SkinDump::Text(Skin& skin) {
  JsonWriter writer;
  SkinDump dump(writer);
  dump.Write(skin);  // cannot fail without a sink
  return writer.Text() + "\n";
}

bool SkinDump::Write(Skin& skin) {
  writer_.BeginObject();
  writer_.Key("containers");
  writer_.BeginArray();
  for (size_t i = 0; i < skin.containers.size(); ++i) {
    if (!WriteContainer(*skin.containers[i], i)) return false;
  }
  writer_.EndArray();
  writer_.EndObject();
  return true;
}

bool SkinDump::WriteContainer(SkinContainer& container, size_t index) {
  const std::string baseName = "container" + std::to_string(index);
  writer_.BeginObject();
  writer_.Key("name");
  writer_.String(container.name);
  writer_.Key("offset");
  writer_.BeginArray(true);
  writer_.Int(container.alphablendOffset.x);
  writer_.Int(container.alphablendOffset.y);
  writer_.EndArray();
  writer_.Key("background");
  if (!WriteImage(container.background, baseName + "-background")) return false;
  writer_.Key("region");
  WriteRegion(container.windowShape);
  writer_.Key("polygon");
  WritePoints(container.windowShape.points);
  writer_.Key("block");
  WriteBlock(container.block.Bytes().data(), container.block.Bytes().size());
  writer_.Key("objects");
  writer_.BeginArray();
  for (size_t i = 0; i < container.objects.size(); ++i) {
    if (!WriteObject(*container.objects[i], baseName + "-object" + std::to_string(i))) return false;
  }
  writer_.EndArray();
  writer_.EndObject();
  return true;
}

bool SkinDump::WriteObject(SkinObject& object, const std::string& baseName) {
  writer_.BeginObject();
  writer_.Key("name");
  writer_.String(object.name);
  writer_.Key("kind");
  writer_.UInt(object.kind);
  writer_.Key("target");
  writer_.String(object.shortcutTarget);
  writer_.Key("visible");
  writer_.UInt(object.visible);
  writer_.Key("orientation");
  writer_.Int(object.orientation);
  writer_.Key("region");
  WriteRegion(object.windowShape);
  writer_.Key("polygon");
  WritePoints(object.windowShape.points);
  writer_.Key("mouse");
  WritePoints(object.mousePolygon);
  writer_.Key("block");
  WriteBlock(object.block.Bytes().data(), object.block.Bytes().size());
  writer_.Key("images");
  writer_.BeginArray();
  for (size_t i = 0; i < object.images.size(); ++i) {
    if (!object.images[i]) {
      writer_.Null();
      continue;
    }
    if (!WriteImage(*object.images[i], baseName + "-image" + std::to_string(i))) return false;
  }
  writer_.EndArray();
  writer_.EndObject();
  return true;
}

bool SkinDump::WriteImage(DibImage& image, const std::string& baseName) {
  if (!image.IsValid()) {
    writer_.Null();
    return true;
  }
  writer_.BeginObject();
  writer_.Key("width");
  writer_.Int(image.Width());
  writer_.Key("height");
  writer_.Int(image.Height());
  writer_.Key("bpp");
  writer_.Int(image.BitCount());
  writer_.Key("pixels");
  writer_.String(RgbaDigest::HexOf(image));
  if (sink_ != nullptr) {
    std::string fileName;
    if (!sink_->Store(image, baseName, fileName, error_)) return false;
    writer_.Key("file");
    writer_.String(fileName);
  }
  writer_.EndObject();
  return true;
}

void SkinDump::WriteRegion(const WindowRegion& shape) {
  if (!shape.region) {
    writer_.Null();
    return;
  }
  writer_.BeginArray();
  for (const RECT& rect : shape.region->Rects()) {
    writer_.BeginArray(true);
    writer_.Int(rect.left);
    writer_.Int(rect.top);
    writer_.Int(rect.right);
    writer_.Int(rect.bottom);
    writer_.EndArray();
  }
  writer_.EndArray();
}

void SkinDump::WritePoints(const std::vector<POINT>& points) {
  writer_.BeginArray();
  for (const POINT& point : points) {
    writer_.BeginArray(true);
    writer_.Int(point.x);
    writer_.Int(point.y);
    writer_.EndArray();
  }
  writer_.EndArray();
}

void SkinDump::WriteBlock(const BYTE* bytes, size_t size) {
  static const char kHexDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(size * 2);
  for (size_t i = 0; i < size; ++i) {
    hex.push_back(kHexDigits[bytes[i] >> 4]);
    hex.push_back(kHexDigits[bytes[i] & 0x0F]);
  }
  writer_.String(hex);
}
