// The visual-styles library (uxtheme.dll), from the system folder only.
#pragma once

#include <windows.h>

// A tab page painted with the tab control's themed background, where Windows
// has visual styles; elsewhere the page keeps the dialog colour.
void paintLikeTabBody(HWND page);
