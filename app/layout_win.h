// The sheet's geometry on the real window and the DPI a window is shown at.
// Shared by the sheet and the benchmark floor, which must show the same window.
#pragma once

#include <windows.h>

// The DPI of the monitor the window is on (GetDpiForWindow where Windows has
// it, else the screen's LOGPIXELSY).
int windowDpi(HWND window);

// A system metric for a DPI (GetSystemMetricsForDpi where Windows has it).
int systemMetricForDpi(int metric, int dpi);

// When the largest page template, in its own font, is larger than the tab
// control's display area, grows the tab control and the sheet by the
// difference and moves OK and Cancel with the bottom-right corner.
// pages[i] was created from template templateIds[i]; missing pages count not.
void growSheetToPages(HWND sheet, HWND tabs, const HWND* pages, const int* templateIds, int count);

// Places every page over the tab control's display area (left - 2, top,
// width + 2, height + 1), without repainting.
void placePagesInTabs(HWND sheet, HWND tabs, const HWND* pages, int count);

// Centres the sheet on the desktop without resizing it.
void centreOnDesktop(HWND sheet);

// Shows the icon in an icon control at the size for the window's DPI (32 px
// at 96 DPI); the dialog manager loads it at the system's size.
void showIconForDpi(HWND page, int controlId, int iconId);
