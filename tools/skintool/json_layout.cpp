#include "tools/skintool/json_layout.h"

// Strings are UTF-8 by construction (Latin1Text, or text the parser
// checked); replacing a bad byte instead of the default strict handling
// keeps a stray one from ending the program.
std::string JsonLayout::Compact(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string JsonLayout::Indented(const Json& value, int indent) {
  std::string out;
  AppendIndented(value, indent, 0, out);
  return out;
}

void JsonLayout::AppendIndented(const Json& value, int indent, size_t depth, std::string& out) {
  if (value.empty() || !value.is_structured() || IsNumberList(value)) {
    out.append(Compact(value));
    return;
  }
  const bool object = value.is_object();
  out.push_back(object ? '{' : '[');
  bool first = true;
  for (auto item = value.cbegin(); item != value.cend(); ++item) {
    if (!first) out.push_back(',');
    first = false;
    NewLine(indent, depth + 1, out);
    if (object) {
      out.append(Compact(Json(item.key())));
      out.append(": ");
    }
    AppendIndented(item.value(), indent, depth + 1, out);
  }
  NewLine(indent, depth, out);
  out.push_back(object ? '}' : ']');
}

void JsonLayout::NewLine(int indent, size_t depth, std::string& out) {
  out.push_back('\n');
  out.append(depth * static_cast<size_t>(indent), ' ');
}

bool JsonLayout::IsNumberList(const Json& value) {
  if (!value.is_array()) return false;
  for (const Json& item : value) {
    if (!item.is_number()) return false;
  }
  return true;
}
