#include "winui/modal_dialog_win.h"

#include "winui/dpi_win.h"
#include "winui/layout_at_dpi_win.h"
#include "winui/tabbed_dialog_win.h"
#include "winui/work_area_win.h"

namespace {

void layOutAt(HWND dialog, int dpi) {
    const SIZE client = layOutDialogAt(dialog, dpi);
    if (client.cx <= 0 || client.cy <= 0)
        return;
    const SIZE size = windowSizeForClient(dialog, client, dpi);
    SetWindowPos(dialog, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void fitModalDialog(HWND dialog, HINSTANCE module, int id) {
    takeOverLayout(dialog, module, id);
    layOutAt(dialog, windowDpi(dialog));
    RECT own, over;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner && GetWindowRect(owner, &over) && GetWindowRect(dialog, &own))
        SetWindowPos(dialog, nullptr,
                     over.left + (over.right - over.left - (own.right - own.left)) / 2,
                     over.top + (over.bottom - over.top - (own.bottom - own.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    keepInsideWorkArea(dialog);
}

void fitModalDialogToDpi(HWND dialog, int dpi, const RECT* suggested) {
    if (suggested)
        SetWindowPos(dialog, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    layOutAt(dialog, dpi);
    keepInsideWorkArea(dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
