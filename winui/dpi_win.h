// The DPI a window is shown at, and what is measured or loaded for it.
#pragma once

#include <windows.h>

// The DPI of the monitor the window is on (GetDpiForWindow where Windows has
// it, else the screen's LOGPIXELSY).
int windowDpi(HWND window);

// A system metric for a DPI (GetSystemMetricsForDpi where Windows has it).
int systemMetricForDpi(int metric, int dpi);

// Shows the icon in an icon control at the size for the window's DPI (32 px
// at 96 DPI); the dialog manager loads it at the system's size.
void showIconForDpi(HWND page, int controlId, int iconId);
