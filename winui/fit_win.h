// Keeping a dialog whole on the real window, in whatever font it got and at
// whatever DPI it is shown: controls whose text is cut widen into free space
// (widenIntoFreeSpace), a dialog moved to a monitor of another DPI is laid
// out again from what the dialog manager first made of it, and a top-level
// window stays inside its monitor's work area.
#pragma once

#include <windows.h>

// Remembers where the dialog manager put the dialog's controls, the
// dialog's client size, its font and the point size its template asks for,
// at the DPI the dialog was made at: every later layout starts from these.
void rememberLayout(HWND dialog, int pointSize);

// Lays the dialog's controls out at `dpi` from what rememberLayout kept
// (scaled from the DPI it was made at; in a font of the template's face and
// point size made for `dpi`), then widens every visible control whose text
// is cut: static texts, buttons, check boxes, radio buttons, group boxes,
// and closed drop-down lists too narrow for an item. Child dialogs of the
// dialog are left alone. Returns the client size the dialog needs now.
SIZE layOutDialogAt(HWND dialog, int dpi);

// What layOutDialogAt would return at `dpi`, worked out in a font made for
// it without changing the dialog or its controls; `control`, when given,
// gets where that control of the dialog would go (client coordinates).
SIZE measureDialogAt(HWND dialog, int dpi, HWND control = nullptr, RECT* controlRect = nullptr);

// The font the dialog's controls have at `dpi` after layOutDialogAt; one
// made for this call (*made true) is the caller's to delete.
HFONT dialogFontAt(HWND dialog, int dpi, bool* made);

// A drop-down list whose items are the operator's own texts (any length)
// keeps its closed width; its open list still shows every item whole.
void keepClosedWidth(HWND list);

// Moves a top-level window, without resizing it, the least distance that
// puts it inside its monitor's work area (keepInWorkArea).
void keepInsideWorkArea(HWND window);
