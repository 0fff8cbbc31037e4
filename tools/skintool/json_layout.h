// JsonLayout: the text of a Json value in skintool's two layouts.
//
// Compact is nlohmann's own dump: no white space at all. Indented puts every
// member and element on a line of its own ("key": value), except arrays
// holding nothing but numbers, which stay compact on one line so points and
// rectangles read as [x,y] and [left,top,right,bottom]. Empty arrays and
// objects are [] and {}. Strings come out as UTF-8 with \u escapes for
// control characters.
#pragma once

#include <cstddef>
#include <string>

#include "tools/skintool/json.h"

class JsonLayout {
 public:
  static std::string Compact(const Json& value);
  static std::string Indented(const Json& value, int indent);

 private:
  static void AppendIndented(const Json& value, int indent, size_t depth, std::string& out);
  static void NewLine(int indent, size_t depth, std::string& out);
  static bool IsNumberList(const Json& value);
};
