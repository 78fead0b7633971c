#include "winui/list_width_win.h"

#include <cwchar>

#include "winui/dpi_logic.h"
#include "winui/dpi_win.h"

namespace {

// Space the list leaves on either side of an item's text, at 96 DPI.
const int kItemTextMargin = 2;

} // namespace

bool isListWithTexts(HWND window) {
    wchar_t className[16] = {};
    if (GetClassNameW(window, className, 16) == 0 || _wcsicmp(className, L"ComboBox") != 0)
        return false;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    // An owner-drawn list may keep texts for screen readers; it shows none.
    return (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0;
}

int widestListItem(HWND list, HFONT font) {
    HDC dc = GetDC(list);
    if (!dc)
        return 0;
    if (!font)
        font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font);
    int widest = 0;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Items are names and list texts of well under 256 characters.
        wchar_t text[256];
        const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, i, 0);
        if (length < 0 || length >= 256)
            continue;
        text[0] = L'\0';
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        SIZE size = {};
        if (GetTextExtentPoint32W(dc, text, static_cast<int>(wcsnlen(text, 256)), &size) &&
            size.cx > widest)
            widest = size.cx;
    }
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    return widest;
}

void fitDroppedWidth(HWND list) {
    if (!list || !isListWithTexts(list))
        return;
    const int dpi = windowDpi(list);
    const int width = widestListItem(list) + 2 * scaleToDpi(kItemTextMargin, dpi) +
                      2 * systemMetricForDpi(SM_CXEDGE, dpi) +
                      systemMetricForDpi(SM_CXVSCROLL, dpi);
    // Never narrower than the closed box: the list takes the larger of both.
    SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

void fitDroppedWidths(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        fitDroppedWidth(child);
}
