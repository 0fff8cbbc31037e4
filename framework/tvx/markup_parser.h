// Reads the installer window markup (XML, UTF-8) into a Markup. The markup is
// outside data: every element, attribute and number is checked, and the first
// fault ends the parse with an error text naming the entry and the line.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "framework/tvx/markup_window.h"

namespace pugi {
class xml_node;
}

namespace tvx {

class MarkupParser {
 public:
  // `source_name` names the markup in error texts (the archive entry).
  explicit MarkupParser(std::wstring source_name) : source_name_(std::move(source_name)) {}

  // True with *markup filled; false with error() set and *markup cleared.
  bool Parse(const char* data, size_t size, Markup* markup);

  const std::wstring& error() const { return error_; }

 private:
  bool ParseDocument(const char* data, size_t size, Markup* markup);
  bool ParseWindow(const pugi::xml_node& node, MarkupWindow* window);
  bool ParseChildren(const pugi::xml_node& node, int page, MarkupWindow* window);
  bool ParseControl(const pugi::xml_node& node, int page, MarkupControl* control);
  bool CheckWindow(MarkupWindow& window);
  bool CheckRadioGroups(MarkupWindow& window);
  bool CheckDefaults(const MarkupWindow& window);
  bool CheckAttributes(const pugi::xml_node& node, const char* const* allowed);
  bool ReadInt(const pugi::xml_node& node, const char* name, bool required, int low, int high,
               int* value);
  bool ReadBool(const pugi::xml_node& node, const char* name, bool* value);
  bool ReadText(const pugi::xml_node& node, const char* name, bool required, std::wstring* value);
  int LineOf(const pugi::xml_node& node) const;
  bool Fail(const pugi::xml_node& node, const std::wstring& message);
  bool FailAtLine(int line, const std::wstring& message);

  std::wstring source_name_;
  std::wstring error_;
  const char* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace tvx
