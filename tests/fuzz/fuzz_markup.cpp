// Fuzz target for the installer window markup: the XML reading and every
// check of windows, pages and controls, which must end in a window or an
// error text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/tvx/markup_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tvx::MarkupParser parser(L"install_gui_tvx");
  tvx::Markup markup;
  const bool parsed = parser.Parse(reinterpret_cast<const char*>(data), size, &markup);
  // Exactly one of the two outcomes.
  if (parsed != parser.error().empty()) std::abort();
  if (parsed && markup.windows.empty()) std::abort();
  return 0;
}
