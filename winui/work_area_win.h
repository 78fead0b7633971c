// Keeping a top-level window where the operator can reach it.
#pragma once

#include <windows.h>

// Moves a top-level window, without resizing it, the least distance that
// puts it inside its monitor's work area (keepInWorkArea).
void keepInsideWorkArea(HWND window);
