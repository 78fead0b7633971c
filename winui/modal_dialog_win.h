// A modal dialog over another window (the sheet's own dialogs), kept whole
// by the same rules as the sheet and its pages: its first layout laid out
// again at any DPI, cut texts widened, and the window on the work area.
#pragma once

#include <windows.h>

// From WM_INITDIALOG of a dialog made from template `id` of `module`: takes
// its layout over, lays it out at its DPI and centres it over its owner.
void fitModalDialog(HWND dialog, HINSTANCE module, int id);

// After WM_DPICHANGED: lays the dialog out again at `dpi`, at the place the
// suggested rectangle gives.
void fitModalDialogToDpi(HWND dialog, int dpi, const RECT* suggested);
