// String-table access for the framework: whole entries and the two halves
// of command prompts ("status bar prompt\ntooltip").
#pragma once

#include <windows.h>

#include <string>

// The module resources are loaded from: the application's instance, or the
// executable when there is no application object.
HINSTANCE AfxGetResourceHandle();

// The entry's text, empty when the table has none.
std::string LoadResourceString(UINT id);
// Text before the first line break of entry `id` (the status bar prompt).
std::string CommandPrompt(UINT id);
// Text after the first line break (the tooltip); empty without a break.
std::string CommandTip(UINT id);
