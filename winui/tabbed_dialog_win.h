// A dialog that shows child-dialog pages over a tab control, laid out on the
// real window. The sheet and the benchmark floor, which must show the same
// window, both lay themselves out with it.
#pragma once

#include <windows.h>

// Lays the sheet and its pages out at `dpi` (layOutDialogAt, each from what
// rememberLayout kept of it: cut texts widened), grows the tab control and
// the sheet until the tab's display area holds the largest page and every
// tab stands in one row, OK and Cancel moving with the bottom-right corner,
// and places the pages over the display area. Missing pages count not.
void layOutTabbedDialog(HWND sheet, HWND tabs, const HWND* pages, int count, int dpi);

// Under visual styles a page shows the tab control's body behind its
// controls, not the dialog colour over it.
void showTabBodyBehind(HWND page);

// Places every page over the tab control's display area (left - 2, top,
// width + 2, height + 1), without repainting.
void placePagesInTabs(HWND sheet, HWND tabs, const HWND* pages, int count);

// Centres the sheet on the desktop without resizing it.
void centreOnDesktop(HWND sheet);
