// A dialog laid out by the program at whatever DPI it is shown: where the
// dialog manager first put its controls is kept, and every later layout,
// at that DPI or another, starts from it (cut texts widened, cut_texts_win).
#pragma once

#include <windows.h>

// Keeps where the dialog manager put the dialog's controls, the dialog's
// client size, its font and the point size its template asks for, at the
// DPI the dialog was made at: every later layout starts from these.
void keepFirstLayout(HWND dialog, int templatePointSize);

// Lays the dialog's controls out at `dpi` from its first layout (scaled
// from the DPI it was made at; in a font of the template's face and point
// size made for `dpi`), then widens every visible control whose text is
// cut. Child dialogs of the dialog are left alone. Returns the client size
// the dialog needs now.
SIZE layOutDialogAt(HWND dialog, int dpi);

// What layOutDialogAt would return at `dpi`, worked out by the same code in
// a font made for it, without changing the dialog or its controls;
// `control`, when given, gets where that control of the dialog would go
// (client coordinates).
SIZE measureDialogAt(HWND dialog, int dpi, HWND control = nullptr, RECT* controlRect = nullptr);

// The font the dialog's controls have at `dpi` after layOutDialogAt; one
// made for this call (*callerDeletes true) is the caller's to delete.
HFONT dialogFontAt(HWND dialog, int dpi, bool* callerDeletes);
