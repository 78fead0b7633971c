// Drop-down lists open wide enough for their longest item.
#pragma once

#include <windows.h>

// Sets the width of the open list of a drop-down list with texts to its
// widest item in the list's font, with the scroll bar and the borders; a
// window that is no such list is left alone.
void fitDroppedWidth(HWND list);

// A drop-down list that shows texts (not one painted by its owner, whatever
// texts its items carry).
bool isListWithTexts(HWND window);

// Width of the widest item of a drop-down list, in `font` (the list's own
// when null).
int widestListItem(HWND list, HFONT font = nullptr);

// fitDroppedWidth for every drop-down list of the dialog: again after a DPI
// change, in the fonts and metrics of the new DPI.
void fitDroppedWidths(HWND dialog);
