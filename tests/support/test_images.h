// Small builders and comparisons for tests that work on DibImage pixels.
#pragma once

#include <ostream>

#include "imaging/dib_image.h"

// A colour as DibImage stores it (blue, green, red, fourth byte), written in
// the usual red-green-blue order.
RGBQUAD Rgb(BYTE red, BYTE green, BYTE blue, BYTE reserved = 0);

// Creates width x height at bitCount and paints every pixel with color
// (indexed pictures get a grey palette first, so they store the nearest grey).
bool MakeFilledImage(DibImage& image, int width, int height, int bitCount, RGBQUAD color);

// A colour that differs for every position of a small picture.
RGBQUAD PatternColor(int x, int y);

// A 24-bit picture whose pixel (x, y) is PatternColor(x, y).
bool MakePatternImage(DibImage& image, int width, int height);

// An indexed picture (grey palette) whose pixel (x, y) has index
// (x + 3 y) modulo the palette size.
bool MakeIndexPatternImage(DibImage& image, int width, int height, int bitCount);

bool operator==(const RGBQUAD& a, const RGBQUAD& b);
inline bool operator!=(const RGBQUAD& a, const RGBQUAD& b) { return !(a == b); }
// Lets GoogleTest show colours as "rgb(r,g,b,a)".
void PrintTo(const RGBQUAD& color, std::ostream* out);
