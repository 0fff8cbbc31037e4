// Registers the common control classes the framework creates (tree view,
// toolbar, status bar, tooltips, list view, up-down, trackbar) once.
#pragma once

bool EnsureCommonControls();
