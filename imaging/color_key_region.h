// Colour-key regions: the shape made of every pixel whose colour differs
// from a key colour, so key-coloured pixels are the outside of a window
// whether or not they touch the border. The result is in GDI's own region
// form (see BandedRegionBuilder).
#pragma once

#include <cstdint>

#include "imaging/banded_region_builder.h"
#include "imaging/dib_image.h"
#include "imaging/region_data.h"
#include "imaging/win32_types.h"

// A key that matches no pixel (the value GetPixel reports off the picture).
constexpr uint32_t kNoColorKey = 0xFFFFFFFF;

// pixels: height rows of width 32-bit values, top row first, rows packed one
// after the other. Only the low 24 bits (the colour) of a pixel are compared,
// so a key with any higher bit set matches nothing. False when the sizes are
// negative or the region grows too large; out is then unchanged.
bool ColorKeyRegion(const uint32_t* pixels, int width, int height, uint32_t key, RegionData& out);

// One row of such values added to builder as row y: the runs of pixels
// that differ from the key. For callers that read a picture in parts.
bool AddColorKeyRow(BandedRegionBuilder& builder, int y, const uint32_t* row, int width,
                    uint32_t key);

// The key is the colour (red, green, blue) of the clicked pixel, given in
// top-down coordinates; a point off the picture selects no key, which gives
// the whole rectangle. False for an empty image, an unsupported depth or a
// region too large; out is then unchanged.
bool ColorKeyRegion(const DibImage& image, POINT clicked, RegionData& out);
