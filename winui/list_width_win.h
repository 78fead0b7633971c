// Drop-down lists open wide enough for their longest item.
#pragma once

#include <windows.h>

// Sets the width of the open list of a drop-down list with texts to its
// widest item in the list's font, with the scroll bar and the borders; a
// window that is no such list is left alone.
void fitDroppedWidth(HWND list);
