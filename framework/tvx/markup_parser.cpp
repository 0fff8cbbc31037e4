#include "framework/tvx/markup_parser.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <cstring>
#include <set>

#include "framework/common/utf8_text.h"

namespace tvx {

namespace {

// Largest coordinate or size the markup accepts; windows beyond this are
// not installer windows, and the bound keeps sums far from overflow.
constexpr int kMaxCoordinate = 8192;
constexpr int kMinWindowSize = 32;

struct ControlElement {
  const char* name;
  ControlKind kind;
  const char* const* attributes;
};

const char* const kWindowAttributes[] = {"name",   "type",     "title",          "width", "height",
                                         "onload", "oncancel", "cancelquestion", nullptr};
const char* const kPageAttributes[] = {"id", "onshow", nullptr};
const char* const kScriptAttributes[] = {nullptr};
const char* const kTextAttributes[] = {"id",      "x",       "y",       "width", "height",
                                       "enabled", "visible", "heading", nullptr};
const char* const kImageAttributes[] = {"id",      "x",       "y",   "width", "height",
                                        "visible", "enabled", "src", nullptr};
const char* const kEditAttributes[] = {"id",       "x",        "y",       "width",
                                       "height",   "enabled",  "visible", "password",
                                       "readonly", "onchange", nullptr};
const char* const kButtonAttributes[] = {"id",      "x",       "y",       "width",   "height",
                                         "enabled", "visible", "default", "onclick", nullptr};
const char* const kCheckAttributes[] = {"id",      "x",       "y",       "width",   "height",
                                        "enabled", "visible", "checked", "onclick", nullptr};
const char* const kRadioAttributes[] = {"id",      "x",       "y",       "width",
                                        "height",  "enabled", "visible", "checked",
                                        "onclick", "group",   nullptr};
const char* const kProgressAttributes[] = {"id",      "x",   "y",     "width", "height",
                                           "visible", "max", "value", nullptr};
const char* const kPickerAttributes[] = {"id",     "x",       "y",       "width",
                                         "height", "enabled", "visible", "target",
                                         "prompt", "default", "onclick", nullptr};

const ControlElement kControlElements[] = {
    {"text", ControlKind::kText, kTextAttributes},
    {"image", ControlKind::kImage, kImageAttributes},
    {"edit", ControlKind::kEdit, kEditAttributes},
    {"button", ControlKind::kButton, kButtonAttributes},
    {"checkbox", ControlKind::kCheckBox, kCheckAttributes},
    {"radio", ControlKind::kRadio, kRadioAttributes},
    {"progress", ControlKind::kProgress, kProgressAttributes},
    {"folderpicker", ControlKind::kFolderPicker, kPickerAttributes},
};

const ControlElement* FindControlElement(const char* name) {
  for (const ControlElement& element : kControlElements) {
    if (std::strcmp(element.name, name) == 0) return &element;
  }
  return nullptr;
}

std::wstring Wide(const char* text) {
  return framework_text::WideFromUtf8(text, std::strlen(text));
}

std::wstring Quoted(const char* text) { return L"\"" + Wide(text) + L"\""; }

std::wstring Element(const char* name) { return L"<" + Wide(name) + L">"; }

// Script text and labels: the element's text and CDATA children joined.
std::wstring InnerText(const pugi::xml_node& node) {
  std::string text;
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      text += child.value();
    }
  }
  return framework_text::WideFromUtf8(text);
}

// Labels keep inner spaces but lose the indentation around them.
std::wstring Trimmed(const std::wstring& text) {
  const wchar_t* blanks = L" \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::wstring::npos) return std::wstring();
  const size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

}  // namespace

bool MarkupParser::Parse(const char* data, size_t size, Markup* markup) {
  *markup = Markup();
  if (ParseDocument(data, size, markup)) return true;
  *markup = Markup();
  return false;
}

bool MarkupParser::ParseDocument(const char* data, size_t size, Markup* markup) {
  error_.clear();
  data_ = data;
  size_ = size;
  pugi::xml_document document;
  // Attribute values keep their line breaks: event attributes hold script.
  const unsigned options = pugi::parse_default & ~pugi::parse_wconv_attribute;
  const pugi::xml_parse_result result =
      document.load_buffer(data, size, options, pugi::encoding_utf8);
  if (!result) {
    int line = 1;
    for (ptrdiff_t i = 0; i < result.offset && static_cast<size_t>(i) < size; ++i) {
      if (data[i] == '\n') ++line;
    }
    return FailAtLine(line, L"the XML is not well formed (" + Wide(result.description()) + L")");
  }
  const pugi::xml_node root = document.document_element();
  if (std::strcmp(root.name(), "tvx") != 0) {
    return Fail(root, L"the root element must be <tvx>, not " + Element(root.name()));
  }
  if (!CheckAttributes(root, kScriptAttributes)) return false;
  for (pugi::xml_node node : root.children()) {
    if (node.type() != pugi::node_element) continue;
    if (std::strcmp(node.name(), "window") != 0) {
      return Fail(node, L"only <window> elements may stand in <tvx>, not " + Element(node.name()));
    }
    MarkupWindow window;
    if (!ParseWindow(node, &window)) return false;
    if (markup->FindWindowNamed(window.name) != nullptr) {
      return Fail(node, L"a second window is named \"" + window.name + L"\"");
    }
    markup->windows.push_back(std::move(window));
  }
  if (markup->windows.empty()) return Fail(root, L"the markup holds no <window>");
  return true;
}

bool MarkupParser::ParseWindow(const pugi::xml_node& node, MarkupWindow* window) {
  if (!CheckAttributes(node, kWindowAttributes) || !ReadText(node, "name", true, &window->name) ||
      !ReadText(node, "type", true, &window->type) ||
      !ReadText(node, "title", false, &window->title) ||
      !ReadInt(node, "width", true, kMinWindowSize, kMaxCoordinate, &window->width) ||
      !ReadInt(node, "height", true, kMinWindowSize, kMaxCoordinate, &window->height) ||
      !ReadText(node, "onload", false, &window->onload) ||
      !ReadText(node, "oncancel", false, &window->oncancel) ||
      !ReadText(node, "cancelquestion", false, &window->cancel_question)) {
    return false;
  }
  if (window->name.empty()) return Fail(node, L"the window's \"name\" is empty");
  if (!ParseChildren(node, -1, window)) return false;
  return CheckWindow(*window);
}

// Children of a window (page = -1) or of one page.
bool MarkupParser::ParseChildren(const pugi::xml_node& node, int page, MarkupWindow* window) {
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      if (!Trimmed(Wide(child.value())).empty()) {
        return Fail(child,
                    L"text belongs inside a control, not directly in " + Element(node.name()));
      }
      continue;
    }
    if (child.type() != pugi::node_element) continue;
    const char* name = child.name();
    if (std::strcmp(name, "script") == 0) {
      if (page >= 0) return Fail(child, L"<script> belongs in the <window>, not in a <page>");
      if (!CheckAttributes(child, kScriptAttributes)) return false;
      window->scripts.push_back(InnerText(child));
    } else if (std::strcmp(name, "page") == 0) {
      if (page >= 0) return Fail(child, L"pages cannot be nested");
      MarkupPage markupPage;
      if (!CheckAttributes(child, kPageAttributes) ||
          !ReadText(child, "id", true, &markupPage.id) ||
          !ReadText(child, "onshow", false, &markupPage.onshow)) {
        return false;
      }
      if (markupPage.id.empty()) return Fail(child, L"the page's \"id\" is empty");
      if (window->FindPage(markupPage.id) >= 0 || window->FindControl(markupPage.id) >= 0) {
        return Fail(child, L"the id \"" + markupPage.id + L"\" is used twice");
      }
      window->pages.push_back(markupPage);
      if (!ParseChildren(child, static_cast<int>(window->pages.size()) - 1, window)) return false;
    } else {
      MarkupControl control;
      if (!ParseControl(child, page, &control)) return false;
      if (!control.id.empty() &&
          (window->FindControl(control.id) >= 0 || window->FindPage(control.id) >= 0 ||
           control.id == window->name)) {
        return Fail(child, L"the id \"" + control.id + L"\" is used twice");
      }
      window->controls.push_back(std::move(control));
    }
  }
  return true;
}

bool MarkupParser::ParseControl(const pugi::xml_node& node, int page, MarkupControl* control) {
  const ControlElement* element = FindControlElement(node.name());
  if (element == nullptr) return Fail(node, L"unknown element " + Element(node.name()));
  control->kind = element->kind;
  control->page = page;
  control->line = LineOf(node);
  if (!CheckAttributes(node, element->attributes) || !ReadText(node, "id", false, &control->id) ||
      !ReadInt(node, "x", true, -kMaxCoordinate, kMaxCoordinate, &control->x) ||
      !ReadInt(node, "y", true, -kMaxCoordinate, kMaxCoordinate, &control->y) ||
      !ReadInt(node, "width", true, 0, kMaxCoordinate, &control->width) ||
      !ReadInt(node, "height", true, 0, kMaxCoordinate, &control->height) ||
      !ReadBool(node, "enabled", &control->enabled) ||
      !ReadBool(node, "visible", &control->visible) ||
      !ReadBool(node, "checked", &control->checked) ||
      !ReadBool(node, "default", &control->is_default) ||
      !ReadBool(node, "password", &control->password) ||
      !ReadBool(node, "readonly", &control->read_only) ||
      !ReadBool(node, "heading", &control->heading) ||
      !ReadText(node, "group", false, &control->group) ||
      !ReadText(node, "onclick", false, &control->onclick) ||
      !ReadText(node, "onchange", false, &control->onchange) ||
      !ReadText(node, "src", control->kind == ControlKind::kImage, &control->source) ||
      !ReadText(node, "target", control->kind == ControlKind::kFolderPicker, &control->target) ||
      !ReadInt(node, "max", false, 1, 1000000, &control->maximum) ||
      !ReadInt(node, "value", false, 0, 1000000, &control->value)) {
    return false;
  }
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_element) {
      return Fail(child, Element(node.name()) + L" holds no elements, only its text");
    }
  }
  control->text = Trimmed(InnerText(node));
  if (control->kind == ControlKind::kFolderPicker) {
    // The prompt shown in the folder browser; the element text is the label.
    std::wstring prompt;
    if (!ReadText(node, "prompt", false, &prompt)) return false;
    control->source = prompt;
  }
  if (control->kind == ControlKind::kProgress && control->value > control->maximum) {
    return Fail(node, L"the progress \"value\" is larger than its \"max\"");
  }
  return true;
}

bool MarkupParser::CheckWindow(MarkupWindow& window) {
  for (const MarkupControl& control : window.controls) {
    if (control.kind != ControlKind::kFolderPicker) continue;
    const int target = window.FindControl(control.target);
    if (target < 0 || window.controls[target].kind != ControlKind::kEdit) {
      return FailAtLine(control.line, L"the folder picker's \"target\" \"" + control.target +
                                          L"\" is not the id of an <edit>");
    }
  }
  return CheckRadioGroups(window) && CheckDefaults(window);
}

// A radio group is the run of radio buttons sharing one "group" on one page;
// the platform groups by position, so a group must not be split.
bool MarkupParser::CheckRadioGroups(MarkupWindow& window) {
  std::set<std::pair<int, std::wstring>> closed;
  const MarkupControl* previous = nullptr;
  for (MarkupControl& control : window.controls) {
    if (control.kind != ControlKind::kRadio) {
      previous = nullptr;
      continue;
    }
    const bool continues =
        previous != nullptr && previous->group == control.group && previous->page == control.page;
    if (!continues) {
      if (!closed.insert({control.page, control.group}).second) {
        return FailAtLine(control.line, L"the radio buttons of group \"" + control.group +
                                            L"\" must follow each other");
      }
    }
    control.group_start = !continues;
    previous = &control;
  }
  int checkedInGroup = 0;
  for (const MarkupControl& control : window.controls) {
    if (control.kind != ControlKind::kRadio) continue;
    if (control.group_start) checkedInGroup = 0;
    if (control.checked && ++checkedInGroup > 1) {
      return FailAtLine(control.line, L"more than one radio button of group \"" + control.group +
                                          L"\" is checked");
    }
  }
  return true;
}

// One default button per page; a window-wide one counts on every page.
bool MarkupParser::CheckDefaults(const MarkupWindow& window) {
  std::vector<int> perPage(window.pages.size() + 1, 0);
  for (const MarkupControl& control : window.controls) {
    if (!control.is_default) continue;
    if (control.kind != ControlKind::kButton && control.kind != ControlKind::kFolderPicker) {
      return FailAtLine(control.line, L"only buttons can be \"default\"");
    }
    perPage[static_cast<size_t>(control.page + 1)]++;
    const int shared = perPage[0];
    for (size_t page = 1; page < perPage.size(); ++page) {
      if (shared + perPage[page] > 1) {
        return FailAtLine(control.line, L"page \"" + window.pages[page - 1].id +
                                            L"\" has more than one default button");
      }
    }
    if (window.pages.empty() && shared > 1) {
      return FailAtLine(control.line, L"the window has more than one default button");
    }
  }
  return true;
}

bool MarkupParser::CheckAttributes(const pugi::xml_node& node, const char* const* allowed) {
  for (pugi::xml_attribute attribute : node.attributes()) {
    // The XML reader keeps repeated attributes; the first would win unseen.
    for (pugi::xml_attribute other = attribute.next_attribute(); other;
         other = other.next_attribute()) {
      if (std::strcmp(other.name(), attribute.name()) == 0) {
        return Fail(node, Element(node.name()) + L" has " + Quoted(attribute.name()) + L" twice");
      }
    }
    bool known = false;
    for (const char* const* name = allowed; *name != nullptr; ++name) {
      if (std::strcmp(*name, attribute.name()) == 0) known = true;
    }
    if (!known) {
      return Fail(node, Element(node.name()) + L" has no attribute " + Quoted(attribute.name()));
    }
  }
  return true;
}

bool MarkupParser::ReadInt(const pugi::xml_node& node, const char* name, bool required, int low,
                           int high, int* value) {
  const pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute) {
    return !required || Fail(node, Element(node.name()) + L" needs " + Quoted(name));
  }
  const char* text = attribute.value();
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || parsed < low || parsed > high) {
    return Fail(node, Quoted(name) + L" must be a whole number from " + std::to_wstring(low) +
                          L" to " + std::to_wstring(high) + L", not " + Quoted(text));
  }
  *value = static_cast<int>(parsed);
  return true;
}

bool MarkupParser::ReadBool(const pugi::xml_node& node, const char* name, bool* value) {
  const pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute) return true;
  const char* text = attribute.value();
  if (std::strcmp(text, "true") == 0 || std::strcmp(text, "1") == 0) {
    *value = true;
  } else if (std::strcmp(text, "false") == 0 || std::strcmp(text, "0") == 0) {
    *value = false;
  } else {
    return Fail(node, Quoted(name) + L" must be \"true\" or \"false\", not " + Quoted(text));
  }
  return true;
}

bool MarkupParser::ReadText(const pugi::xml_node& node, const char* name, bool required,
                            std::wstring* value) {
  const pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute) {
    return !required || Fail(node, Element(node.name()) + L" needs " + Quoted(name));
  }
  *value = Wide(attribute.value());
  return true;
}

int MarkupParser::LineOf(const pugi::xml_node& node) const {
  const ptrdiff_t offset = node.offset_debug();
  if (offset < 0) return 0;
  int line = 1;
  for (ptrdiff_t i = 0; i < offset && static_cast<size_t>(i) < size_; ++i) {
    if (data_[i] == '\n') ++line;
  }
  return line;
}

bool MarkupParser::Fail(const pugi::xml_node& node, const std::wstring& message) {
  return FailAtLine(LineOf(node), message);
}

bool MarkupParser::FailAtLine(int line, const std::wstring& message) {
  error_ = source_name_;
  if (line > 0) error_ += L", line " + std::to_wstring(line);
  error_ += L": " + message + L"\n";
  return false;
}

}  // namespace tvx
