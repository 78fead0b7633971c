// A dialog that shows child-dialog pages over a tab control, laid out on the
// real window. The sheet and the benchmark floor, which must show the same
// window, both lay themselves out with it.
#pragma once

#include <windows.h>

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
