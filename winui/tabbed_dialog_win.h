// A dialog that shows child-dialog pages over a tab control, laid out on the
// real window. The sheet and the benchmark floor, which must show the same
// window, both lay themselves out with it.
#pragma once

#include <windows.h>

// Lays the sheet and its pages out at `dpi` (layOutDialogAt, each from its
// first layout: cut texts widened), grows the tab control and the sheet
// until the tab's display area holds the largest page and every tab stands
// in one row, the buttons below moving with the bottom-right corner (OK,
// Cancel) or the bottom-left one, and places the pages over the display
// area. Missing pages count not.
void layOutTabbedDialog(HWND sheet, HWND tabs, const HWND* pages, int count, int dpi);

// The window size layOutTabbedDialog would give the sheet at `dpi`, worked
// out without changing the sheet, its pages or its tab control (a hidden
// twin of the tab control measures the tabs); 0 by 0 when it cannot tell.
SIZE measureTabbedDialog(HWND sheet, HWND tabs, const HWND* pages, int count, int dpi);

// From now on the program, not the dialog manager, lays out the dialog made
// from template `id` of `module`: a DPI change is left to it
// (scaleDialogOurselves), and where the dialog manager first put the
// controls is kept (keepFirstLayout) for every later layout to start from.
void takeOverLayout(HWND dialog, HINSTANCE module, int id);

// A page made from template `id` in an installed face, its layout taken
// over, showing the tab control's body behind its controls under visual
// styles rather than the dialog colour; null when it cannot be made.
HWND createTabPage(HINSTANCE module, int id, HWND sheet, DLGPROC proc);

// Adds `count` tabs to the tab control, tab i labelled with the string
// resource labelId(i) of `module`.
void insertTabs(HWND tabs, HINSTANCE module, int count, UINT (*labelId)(int index));

// Places every page over the tab control's display area (left - 2, top,
// width + 2, height + 1), without repainting.
void placePagesInTabs(HWND sheet, HWND tabs, const HWND* pages, int count);

// Centres the sheet on the desktop without resizing it, but never with its
// caption or its buttons off the work area, where they could not be reached.
void centreOnDesktop(HWND sheet);
