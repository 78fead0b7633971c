#pragma once

#include <windows.h>

// Runs the modal sheet; 1 OK, 2 Cancel, 0 close box, -1 when it cannot be created.
INT_PTR runPropertySheet();

// The sheet's page at a tab index (kPaperPageIndex...), or null when the
// sheet is not shown.
HWND sheetPage(int index);

// A length page converted itself to a unit the operator confirmed: bring the
// other length pages to the same unit, in tab order, and make it the stored
// length unit.
void synchroniseUnits(int sourcePageIndex, int unit);
