#include <windows.h>

#include "pages/pages.h"
#include "winui/controls_win.h"

void unitConfirmed(HWND page, int pageIndex, int unitList, void (*unitChange)(HWND, int)) {
    const int unit = selectedListData(page, unitList);
    // A confirmation without a selection has no unit to convert to, and
    // "nothing" must never become the stored unit.
    if (unit < 0)
        return;
    unitChange(page, unit);
    SendMessageW(GetParent(page), kUnitChosenMessage, static_cast<WPARAM>(pageIndex),
                 static_cast<LPARAM>(unit));
}
