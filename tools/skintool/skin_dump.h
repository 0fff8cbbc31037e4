// SkinDump: a skin as JSON, the shape skintool prints and unpack stores:
//   {"containers":[{"name","offset":[x,y],"background":IMG,"region":RGN,
//     "polygon":[[x,y]...],"block":HEX,"objects":[{"name","kind","target",
//     "visible","orientation","region":RGN,"polygon":[...],"mouse":[...],
//     "block":HEX,"images":[IMG...]}]}]}
// HEX is the 256-byte property block in lower-case hex; RGN is null or the
// region's rectangles [left,top,right,bottom] in stored order; IMG is null
// for an empty image, else {"width","height","bpp","pixels"} with pixels
// the RgbaDigest. With an image sink (unpack), every IMG also gets "file",
// the name the sink stored the picture under.
#pragma once

#include <string>

#include "imaging/dib_image.h"
#include "imaging/window_region.h"
#include "model/skin.h"
#include "tools/skintool/json.h"

class SkinDump {
 public:
  class ImageSink {
   public:
    virtual ~ImageSink() = default;
    // Stores image under a name derived from baseName (no extension) and
    // gives that name back; false (with a message) when it cannot.
    virtual bool Store(DibImage& image, const std::string& baseName, std::string& fileName,
                       std::string& error) = 0;
  };

  explicit SkinDump(ImageSink* sink = nullptr) : sink_(sink) {}

  // Fills out with the dump of skin (JsonLayout gives its text). Not const:
  // the encoder behind a sink works on the images themselves.
  bool Write(Skin& skin, Json& out);
  const std::string& Error() const { return error_; }

  // The compact dump of skin and a line break.
  static std::string Text(Skin& skin);

 private:
  bool WriteContainer(SkinContainer& container, size_t index, Json& out);
  bool WriteObject(SkinObject& object, const std::string& baseName, Json& out);
  bool WriteImage(DibImage& image, const std::string& baseName, Json& out);
  static Json RegionOf(const WindowRegion& shape);
  static Json PointsOf(const std::vector<POINT>& points);
  static Json HexOf(const BYTE* bytes, size_t size);

  ImageSink* sink_;
  std::string error_;
};
