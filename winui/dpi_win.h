// The DPI a window is shown at, and what is measured or loaded for it.
#pragma once

#include <windows.h>

// The DPI of the monitor the window is on (GetDpiForWindow where Windows has
// it, else the screen's LOGPIXELSY); for a window that was told of a DPI
// change (followDpiChange), the DPI it was told.
int windowDpi(HWND window);

// From now on, the top-level window and its children are shown at `dpi`, as
// WM_DPICHANGED told it; a null window forgets it again.
void followDpiChange(HWND topLevel, int dpi);

// Under per-monitor DPI awareness v2 the dialog manager scales a dialog and
// its controls itself when the DPI changes; a dialog given here is left to
// the program instead, so nothing is scaled twice (Windows 10 1703 and
// later; elsewhere there is nothing to turn off).
void scaleDialogOurselves(HWND dialog);

// A system metric for a DPI (GetSystemMetricsForDpi where Windows has it).
int systemMetricForDpi(int metric, int dpi);

// The size of the window, with its frame at `dpi`, whose client area is
// `client` (AdjustWindowRectExForDpi where Windows has it, else the frame
// the window has now).
SIZE windowSizeForClient(HWND window, SIZE client, int dpi);

// Shows the icon in an icon control at the size for the window's DPI (32 px
// at 96 DPI); the dialog manager loads it at the system's size. Loaded for
// this control alone: a shared icon would come back at the size first asked.
void showIconForDpi(HWND page, int controlId, int iconId);
